#pragma once

#include <QFont>

#include "platform/windows/dialog.h"

// How the user closes a phone dialog: by the OK key of the title row that shows its caption, or
// not at all, for a dialog that ends by itself (a job's progress), which has no title row.
enum class DialogClosing { kOkKey, kByItself };

// A dialog of the phone: it fills the screen, follows the screen when it turns, and is laid out
// in its template's font at the screen's pixels per inch, so it grows with the resolution. Its
// controls sit under its title row (platform/device/shell/dialog_title_row.h), when it has one.
class CDeviceDialog : public CDialog {
 public:
  // Dialog template `templateId` of the installed resource module.
  explicit CDeviceDialog(int templateId, QWidget* parent = nullptr,
                         DialogClosing closing = DialogClosing::kOkKey);

 protected:
  // Fits the dialog to the screen and lays it out for its new size.
  bool OnInitDialog() override;
  // The dialog's client area is now cx by cy pixels: after OnInitDialog, and on every later
  // change of size.
  virtual void OnSize(int /*cx*/, int /*cy*/) {}

  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool initialized_ = false;
};

// Dialog template `templateId` of the installed resource module, or an empty template when
// there is none.
const DialogTemplate& DialogTemplateOrEmpty(int templateId);

// The font of a template at the screen's pixels per inch.
QFont DeviceDialogFont(const DialogTemplate& dialogTemplate);

// Black on white, as the phone shows its forms and dialogs.
void SetPhoneColours(QWidget* window);

// The class library's switch that lets dialogs re-lay themselves out for the screen's
// orientation while it is on.
void AfxEnableDRA(bool enable);
bool AfxIsDRAEnabled();
