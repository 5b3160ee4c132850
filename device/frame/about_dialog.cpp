#include "device/frame/about_dialog.h"

#include "device/frame/dialog_relayout.h"
#include "device/frame/form_style.h"
#include "device/frame/screen_scaling.h"

CDeviceAboutDlg::CDeviceAboutDlg(QWidget* parent) : CDeviceDialog(IDD_ABOUTBOX, parent) {}

void CDeviceAboutDlg::OnSize(int cx, int cy) {
  if (!AfxIsDRAEnabled()) return;
  bool portrait = GetScreenOrientation() == 1;
  RelayoutDialogFromTemplate(this, portrait ? IDD_ABOUTBOX : IDD_ABOUTBOX_WIDE);
}
