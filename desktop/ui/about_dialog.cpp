#include "desktop/ui/about_dialog.h"

#include <QAbstractButton>

#include "desktop/resources/resource_ids.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/window_styles.h"

namespace {

const DialogTemplate kAboutTemplate = {
    .id = 100,
    .caption = "About Brevantor",
    .cx = 204,
    .cy = 73,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {
        {1025, ControlKind::kStatic, "", 14, 14, 21, 20, WS_VISIBLE | SS_ICON, kIconApp},
        {1026, ControlKind::kStatic, "Brevantor\nVersion 2.1", 42, 14, 114, 20,
         WS_VISIBLE | SS_LEFT},
        {CAboutDlg::kOkButton, ControlKind::kButton, "OK", 147, 52, 50, 14,
         WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON},
    }};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : CDialog(kAboutTemplate, parent ? parent : AfxGetMainWnd()) {}

bool CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  connect(Item<QAbstractButton>(kOkButton), &QAbstractButton::clicked, this, [this] { OnOK(); });
  return true;
}
