#pragma once

#include <QString>

#include "desktop/widgets/picture_button.h"
#include "platform/windows/dialog.h"

// Asks for confirmation and deletes one record by its ID: the caller sets m_strID (the record's
// ID) and m_strName (its display name, shown in the caption) and runs DoModal. It always ends
// with IDCANCEL; a delete raises the data-changed flag.
class CDeleteDialog : public CDialog {
 public:
  explicit CDeleteDialog(QWidget* parent = nullptr);

  QString m_strID;
  QString m_strName;

  static constexpr int kYesButton = 1036;
  static constexpr int kNoButton = 1014;
  static constexpr int kWarningIcon = 1037;

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
  bool OnInitDialog() override;

 private:
  void OnConfirmDelete();

  CPictureButton* m_btnYes = nullptr;
  CPictureButton* m_btnNo = nullptr;
};
