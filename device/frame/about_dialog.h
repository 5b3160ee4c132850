#pragma once

#include "device/frame/device_dialog.h"

// The About box: the program's icon (at the screen's icon size), its name and version. While
// dialogs may re-lay themselves out (AfxEnableDRA), every change of size moves its controls to
// their places in template 100 on a screen narrower than tall, else in its landscape twin,
// template 200.
class CDeviceAboutDlg : public CDeviceDialog {
 public:
  explicit CDeviceAboutDlg(QWidget* parent = nullptr);

 protected:
  bool OnInitDialog() override;
  void OnSize(int cx, int cy) override;
};
