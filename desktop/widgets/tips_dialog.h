#pragma once

#include <QLabel>
#include <QString>

#include "desktop/widgets/picture_button.h"
#include "platform/windows/dialog.h"

// The desktop program's message box: an icon chosen by resource id, a text and one "Yes"
// button. The button and Escape end it with IDCANCEL, Enter with IDOK. A text longer than the
// box's two lines makes the box grow, within the screen, until the whole text shows.
class CTipsDialog : public CDialog {
 public:
  explicit CTipsDialog(QWidget* parent = nullptr);

  int m_nIconId = 0;
  QString m_strMessage;

  static constexpr int kYesButton = 1167;
  static constexpr int kMessageText = 1168;
  static constexpr int kIconStatic = 1176;

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  void OnYes() { OnCancel(); }
  // Grows the text, and the box with it, to hold the whole message: taller first, wider while
  // the text would stand taller than half its width; the Yes button stays centred below the text.
  void FitToMessage();

  CPictureButton* m_btnYes = nullptr;
};

// Shows a tips box over the main window and returns how it ended: the program's handler of the
// message service's tips.
int RunTipsDialog(int iconId, const QString& text);
