#include "desktop/ui/search_pane.h"

#include <optional>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/result_query.h"
#include "desktop/ui/main_frame.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/resources.h"
#include "platform/windows/user_message.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kNoticePeriodMs = 100;
constexpr int kTopBitmap = 1184;
constexpr int kFilterBitmap = 1185;
constexpr int kSearchBitmap = 1186;
constexpr unsigned kFilterStyle = WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr unsigned kPushStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
const QColor kCaptionHoverText(48, 43, 155);

const DialogTemplate kSearchPaneTemplate = {
    .id = 103,
    .cx = 67,
    .cy = 245,
    .fontName = "Lucida Handwriting",
    .pointSize = 8,
    .controls = {
        {kTopBitmap, ControlKind::kStatic, "", 0, 4, 67, 24, WS_VISIBLE | SS_BITMAP,
         kBitmapPaneTop},
        {CDlgForm::kContactViewButton, ControlKind::kButton, "Contact view", 0, 32, 67, 14,
         kPushStyle | WS_DISABLED},
        {CDlgForm::kContactListButton, ControlKind::kButton, "Contact list", 0, 53, 67, 14,
         kPushStyle},
        {kFilterBitmap, ControlKind::kStatic, "", 0, 79, 67, 24, WS_VISIBLE | SS_BITMAP,
         kBitmapPaneFilter},
        {CDlgForm::kAllButton, ControlKind::kButton, "All contacts", 8, 107, 57, 12, kFilterStyle},
        {CDlgForm::kSimButton, ControlKind::kButton, "SIM card", 8, 121, 57, 12, kFilterStyle},
        {CDlgForm::kMobileButton, ControlKind::kButton, "Mobile", 8, 134, 57, 12, kFilterStyle},
        {kSearchBitmap, ControlKind::kStatic, "", 0, 152, 67, 27, WS_VISIBLE | SS_BITMAP,
         kBitmapPaneSearch},
        {1187, ControlKind::kStatic, "Keyword:", 3, 184, 40, 9, WS_VISIBLE | SS_LEFT},
        {CDlgForm::kKeywordEdit, ControlKind::kEdit, "", 2, 195, 62, 12,
         WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {CDlgForm::kSearchButton, ControlKind::kButton, "", 45, 209, 18, 16, kPushStyle},
        {CDlgForm::kProgress, ControlKind::kProgressBar, "", 0, 233, 67, 8, WS_BORDER},
    }};

struct ButtonCommand {
  int id;
  void (CDlgForm::*command)();
};

const ButtonCommand kButtonCommands[] = {
    {CDlgForm::kContactViewButton, &CDlgForm::OnContactView},
    {CDlgForm::kContactListButton, &CDlgForm::OnContactList},
    {CDlgForm::kSearchButton, &CDlgForm::OnSearch},
    {CDlgForm::kAllButton, &CDlgForm::OnShowAll},
    {CDlgForm::kSimButton, &CDlgForm::OnShowSim},
    {CDlgForm::kMobileButton, &CDlgForm::OnShowMobile},
};

// Whether a mode shows any record; nothing, after telling the user why, when the database cannot
// tell.
std::optional<bool> ModeHasRecords(int mode) {
  ModeRecords records = AnyRecordShown(mode);
  if (records.fault != DatabaseFault::kNone) {
    ShowTips(kIconError, DatabaseFaultText(records.fault));
    return std::nullopt;
  }
  return records.any;
}

void SetCaptionOverPicture(CPictureButton* button) {
  button->SetImagePlacement(CPictureButton::ImagePlacement::kTopLeftCorner);
  button->SetCaptionColors(kCaptionHoverText, Qt::black);
  button->SetPressedShift(QPoint(0, 2));
}

}  // namespace

CDlgForm::CDlgForm(QWidget* parent) : CFormView(kSearchPaneTemplate, parent) {
  OnCtlColorStaticBlack(this);
  m_noticeTimer.setInterval(kNoticePeriodMs);
  connect(&m_noticeTimer, &QTimer::timeout, this, [this] { OnTimer(); });
}

QWidget* CDlgForm::CreateControl(const ControlTemplate& control) {
  for (const ButtonCommand& entry : kButtonCommands) {
    if (entry.id != control.id) continue;
    auto command = entry.command;
    return CPictureButton::FromTemplate(control, this, [this, command] { (this->*command)(); });
  }
  return nullptr;
}

void CDlgForm::DoDataExchange(DataExchange& dx) { dx.Text(kKeywordEdit, m_strKeywordEdit); }

void CDlgForm::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  m_btnSearch = Item<CPictureButton>(kSearchButton);
  m_btnContactView = Item<CPictureButton>(kContactViewButton);
  m_btnContactList = Item<CPictureButton>(kContactListButton);
  m_progress = Item<QProgressBar>(kProgress);
  m_btnAll = Item<CPictureButton>(kAllButton);
  m_btnSim = Item<CPictureButton>(kSimButton);
  m_btnMobile = Item<CPictureButton>(kMobileButton);
  // Bitmap statics take the size of their bitmaps.
  for (int id : {kTopBitmap, kFilterBitmap, kSearchBitmap}) GetDlgItem(id)->adjustSize();

  m_bNoticeShown = true;
  m_noticeTimer.start();

  QImage search = LoadBitmap(kBitmapSearch);
  m_btnSearch->SetHandCursor();
  m_btnSearch->SetButtonBitmaps(search, search);
  m_btnSearch->SetButtonTooltip(QStringLiteral("Search"));
  SetCaptionOverPicture(m_btnSearch);
  m_btnSearch->SizeToImage();
  m_btnSearch->SetShowBorder(true);
  m_btnSearch->SetTransparent(true);

  SetUpViewButton(m_btnContactView, kBitmapViewButtonHover, kBitmapViewButtonRest);
  SetUpViewButton(m_btnContactList, kBitmapViewButtonHover, kBitmapViewButtonRest);

  MarkFilter(m_btnAll);
  for (CPictureButton* filter : {m_btnAll, m_btnSim, m_btnMobile}) {
    filter->SetTransparent(true);
    filter->SetHandCursor();
    filter->SetShowBorder(false);
  }
}

void CDlgForm::SetUpViewButton(CPictureButton* button, int hoverBitmap, int restBitmap) {
  button->SetHandCursor();
  button->SetButtonBitmaps(LoadBitmap(hoverBitmap), LoadBitmap(restBitmap));
  SetCaptionOverPicture(button);
  button->SizeToImage();
  button->SetShowBorder(false);
  button->SetTransparent(false);
}

void CDlgForm::MarkFilter(CPictureButton* marked) {
  QIcon markedIcon = LoadIcon(kIconFilterMarked);
  QIcon unmarkedIcon = LoadIcon(kIconFilterUnmarked);
  for (CPictureButton* filter : {m_btnAll, m_btnSim, m_btnMobile}) {
    filter->SetButtonIcons(markedIcon, filter == marked ? markedIcon : unmarkedIcon);
  }
}

void CDlgForm::OnContactList() {
  m_btnContactView->setEnabled(true);
  m_btnContactList->setEnabled(false);
  if (QWidget* frame = AfxGetMainWnd()) SendMessage(frame, CMainFrame::kShowList);
}

void CDlgForm::OnContactView() {
  m_btnContactView->setEnabled(false);
  m_btnContactList->setEnabled(true);
  if (QWidget* frame = AfxGetMainWnd()) SendMessage(frame, CMainFrame::kShowCards);
}

void CDlgForm::OnSearch() {
  std::optional<bool> hasRecords = ModeHasRecords(0);
  if (!hasRecords) return;
  if (!*hasRecords) {
    ShowTips(kIconError, QStringLiteral("No contact records!"));
    return;
  }
  UpdateData(true);
  QString keyword = m_strKeywordEdit.trimmed();
  if (keyword.isEmpty()) {
    ShowTips(kIconError, QStringLiteral("Keyword can't be empty!"));
    return;
  }
  CZOLMARKApp& app = AfxGetApp();
  app.m_nViewMode = -1;
  MarkFilter(nullptr);
  app.m_nCurPage = 0;
  app.m_strKeyword = keyword;
  app.m_bSearchChanged = true;
}

void CDlgForm::ShowFilter(int mode, CPictureButton* button) {
  std::optional<bool> hasRecords = ModeHasRecords(mode);
  if (!hasRecords) return;
  if (!*hasRecords) {
    m_bNoticeShown = false;  // the timer shows the notice once this handler has returned
    return;
  }
  CZOLMARKApp& app = AfxGetApp();
  if (app.m_nViewMode == mode) return;
  MarkFilter(button);
  app.m_nViewMode = mode;
  app.m_bDataChanged = true;
}

void CDlgForm::OnShowAll() { ShowFilter(0, m_btnAll); }

void CDlgForm::OnShowSim() { ShowFilter(2, m_btnSim); }

void CDlgForm::OnShowMobile() { ShowFilter(1, m_btnMobile); }

void CDlgForm::OnTimer() {
  if (m_bNoticeShown) return;
  m_bNoticeShown = true;
  ShowTips(kIconError, QStringLiteral("No contact record!"));
}
