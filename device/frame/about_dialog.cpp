#include "device/frame/about_dialog.h"

#include <QLabel>

#include "device/frame/device_program.h"
#include "device/frame/dialog_relayout.h"
#include "device/frame/scaled_images.h"
#include "device/frame/screen_scaling.h"

CDeviceAboutDlg::CDeviceAboutDlg(QWidget* parent) : CDeviceDialog(IDD_ABOUTBOX, parent) {}

bool CDeviceAboutDlg::OnInitDialog() {
  if (auto* icon = Item<QLabel>(CurrentStyle().aboutIcon)) {
    icon->setPixmap(LoadScreenIcon(IDR_MAINFRAME));
  }
  return CDeviceDialog::OnInitDialog();
}

void CDeviceAboutDlg::OnSize(int /*cx*/, int /*cy*/) {
  if (!AfxIsDRAEnabled()) return;
  bool portrait = GetScreenOrientation() == 1;
  RelayoutDialogFromTemplate(this, portrait ? IDD_ABOUTBOX : IDD_ABOUTBOX_WIDE);
}
