#include "desktop/ui/delete_dialog.h"

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/sql_text.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

const DialogTemplate kDeleteTemplate = {
    .id = 113,
    .caption = "Warning",
    .cx = 133,
    .cy = 63,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {
        {CDeleteDialog::kWarningIcon, ControlKind::kStatic, "", 8, 6, 21, 20, WS_VISIBLE | SS_ICON,
         kIconWarning},
        {-1, ControlKind::kStatic, "Are you sure to delete it ?", 33, 12, 96, 10,
         WS_VISIBLE | SS_LEFT},
        {CDeleteDialog::kYesButton, ControlKind::kButton, "Yes", 33, 28, 24, 25,
         WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
        {CDeleteDialog::kNoButton, ControlKind::kButton, "No", 78, 28, 24, 25,
         WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    }};

void SkinButton(CPictureButton* button, int restBitmap, int hoverBitmap) {
  button->SetButtonBitmaps(LoadBitmap(hoverBitmap), LoadBitmap(restBitmap));
  button->SetDialogLook();
}

}  // namespace

CDeleteDialog::CDeleteDialog(QWidget* parent)
    : CDialog(kDeleteTemplate, parent ? parent : AfxGetMainWnd()) {
  OnCtlColorBackBrush(this);
}

QWidget* CDeleteDialog::CreateControl(const ControlTemplate& control) {
  // The buttons draw their bitmaps alone, but keep their captions as their text and names.
  if (control.id == kYesButton) {
    return m_btnYes = CPictureButton::FromTemplate(control, this, [this] { OnConfirmDelete(); });
  }
  if (control.id == kNoButton) {
    return m_btnNo = CPictureButton::FromTemplate(control, this, [this] { OnCancel(); });
  }
  return nullptr;
}

bool CDeleteDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_strName = QStringLiteral("Delete Contact-") + m_strName;
  setWindowTitle(m_strName);
  FitWidthToCaption();  // the user must see whom they delete
  SkinButton(m_btnYes, kBitmapYesRest, kBitmapYesHover);
  SkinButton(m_btnNo, kBitmapNoRest, kBitmapNoHover);
  return true;
}

void CDeleteDialog::OnConfirmDelete() {
  {
    DatabaseConnection db;
    if (!db.IsOpen() ||
        db.Exec("delete from Contact_Table where ID=" + SqlQuote(m_strID)) != SQLITE_OK) {
      ShowTips(kIconError, db.ErrorText());
    } else {
      ShowTips(kIconSuccess, QStringLiteral("Delete successfully!"));
      AfxGetApp().m_bDataChanged = true;
    }
  }
  OnCancel();
}
