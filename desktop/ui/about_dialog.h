#pragma once

#include "platform/windows/dialog.h"

// The About box: the program's icon, name and version, and an OK button.
class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  static constexpr int kOkButton = 1;

 protected:
  bool OnInitDialog() override;
};
