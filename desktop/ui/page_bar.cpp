#include "desktop/ui/page_bar.h"

#include <QStringList>

#include "desktop/resources/resource_ids.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kCountPeriodMs = 100;
constexpr unsigned kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

const DialogTemplate kPageBarTemplate = {
    .id = 110,
    .cx = 271,
    .cy = 58,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {
        {CButtonForm::kFirstButton, ControlKind::kButton, "", 20, 2, 26, 24, kButtonStyle},
        {CButtonForm::kBackButton, ControlKind::kButton, "", 73, 2, 26, 24, kButtonStyle},
        {CButtonForm::kPageList, ControlKind::kComboBox, "", 105, 12, 36, 100,
         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
        {CButtonForm::kSlashStatic, ControlKind::kStatic, "/", 141, 15, 6, 9, WS_VISIBLE | SS_LEFT},
        {CButtonForm::kPageCountStatic, ControlKind::kStatic, "5", 154, 15, 30, 9,
         WS_VISIBLE | SS_LEFT},
        {CButtonForm::kFrontButton, ControlKind::kButton, "", 180, 2, 26, 24, kButtonStyle},
        {CButtonForm::kLastButton, ControlKind::kButton, "", 233, 2, 26, 24, kButtonStyle},
    }};

struct NavigationButton {
  int id;
  int icon;
  const char* tooltip;
  void (CButtonForm::*command)();
};

const NavigationButton kNavigationButtons[] = {
    {CButtonForm::kFrontButton, kIconPageFront, "go front", &CButtonForm::OnNextPage},
    {CButtonForm::kBackButton, kIconPageBack, "go back", &CButtonForm::OnPrevPage},
    {CButtonForm::kFirstButton, kIconPageFirst, "go to first page", &CButtonForm::OnFirstPage},
    {CButtonForm::kLastButton, kIconPageLast, "go to last page", &CButtonForm::OnLastPage},
};

const NavigationButton* FindNavigationButton(int id) {
  for (const NavigationButton& entry : kNavigationButtons) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

// Where each control goes, from the middle m of the bar and its height h: (m + dx, h - dy). The
// page list starts 14 pixels further left than the bar was first drawn with, so that it is wide
// enough for four-digit page numbers (100,000 contacts) and still ends before the "/".
struct ControlPlace {
  int id;
  int dx;
  int dy;
};

const ControlPlace kControlPlaces[] = {
    {CButtonForm::kFirstButton, -185, 45},   {CButtonForm::kBackButton, -105, 45},
    {CButtonForm::kFrontButton, 65, 45},     {CButtonForm::kLastButton, 145, 45},
    {CButtonForm::kPageList, -46, 30},       {CButtonForm::kSlashStatic, 8, 25},
    {CButtonForm::kPageCountStatic, 28, 25},
};

}  // namespace

CButtonForm::CButtonForm(QWidget* parent) : CFormView(kPageBarTemplate, parent) {
  OnCtlColorBackBrush(this);
  m_countTimer.setInterval(kCountPeriodMs);
  connect(&m_countTimer, &QTimer::timeout, this, [this] { OnTimer(); });
}

QWidget* CButtonForm::CreateControl(const ControlTemplate& control) {
  if (const NavigationButton* entry = FindNavigationButton(control.id)) {
    auto command = entry->command;
    return CPictureButton::FromTemplate(control, this, [this, command] { (this->*command)(); });
  }
  if (control.id == kPageList) {
    auto* list = qobject_cast<QComboBox*>(CreateStandardControl(control, this));
    connect(list, &QComboBox::activated, this, [this] { OnPageSelChange(); });
    return list;
  }
  return nullptr;
}

void CButtonForm::DoDataExchange(DataExchange& dx) { dx.Text(kPageCountStatic, m_strPageCount); }

void CButtonForm::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  m_btnBack = Item<CPictureButton>(kBackButton);
  m_btnFront = Item<CPictureButton>(kFrontButton);
  m_btnFirst = Item<CPictureButton>(kFirstButton);
  m_btnLast = Item<CPictureButton>(kLastButton);
  m_cbPage = Item<QComboBox>(kPageList);
  for (const NavigationButton& entry : kNavigationButtons) {
    auto* button = Item<CPictureButton>(entry.id);
    button->SetButtonIcons(LoadIcon(entry.icon), LoadIcon(entry.icon));
    button->SetButtonTooltip(QString::fromLatin1(entry.tooltip));
    button->SetHandCursor();
    button->SetTransparent(true);
  }
  m_strPageCount = QString::number(AfxGetApp().m_nPageCount);
  FillPageList();
  UpdateData(false);
  LayoutNavigationBar();
  m_countTimer.start();
}

void CButtonForm::LayoutNavigationBar() {
  int middle = width() / 2;
  for (const ControlPlace& place : kControlPlaces) {
    if (QWidget* control = GetDlgItem(place.id)) {
      control->move(middle + place.dx, height() - place.dy);
    }
  }
}

void CButtonForm::resizeEvent(QResizeEvent* event) {
  CFormView::resizeEvent(event);
  LayoutNavigationBar();
}

void CButtonForm::FillPageList() {
  QStringList pages;
  for (int page = 1; page <= AfxGetApp().m_nPageCount; ++page) pages << QString::number(page);
  m_cbPage->clear();
  m_cbPage->addItems(pages);
  SelectCurrentPage();
}

void CButtonForm::SelectCurrentPage() {
  int page = AfxGetApp().m_nCurPage;
  m_cbPage->setCurrentIndex(page >= 0 && page < m_cbPage->count() ? page : -1);
}

void CButtonForm::GoToPage(int page) {
  CZOLMARKApp& app = AfxGetApp();
  app.m_nCurPage = page;
  SelectCurrentPage();
  UpdateData(false);
  app.m_bPageChanged = true;
}

void CButtonForm::OnNextPage() {
  const CZOLMARKApp& app = AfxGetApp();
  if (app.m_nPageCount != 0 && app.m_nCurPage + 1 != app.m_nPageCount) GoToPage(app.m_nCurPage + 1);
}

void CButtonForm::OnPrevPage() {
  const CZOLMARKApp& app = AfxGetApp();
  if (app.m_nPageCount != 0 && app.m_nCurPage != 0) GoToPage(app.m_nCurPage - 1);
}

void CButtonForm::OnLastPage() {
  const CZOLMARKApp& app = AfxGetApp();
  if (app.m_nPageCount != 0 && app.m_nCurPage + 1 != app.m_nPageCount) {
    GoToPage(app.m_nPageCount - 1);
  }
}

void CButtonForm::OnFirstPage() {
  const CZOLMARKApp& app = AfxGetApp();
  if (app.m_nPageCount != 0 && app.m_nCurPage != 0) GoToPage(0);
}

void CButtonForm::OnPageSelChange() {
  CZOLMARKApp& app = AfxGetApp();
  int chosen = m_cbPage->currentIndex();
  if (chosen < 0 || chosen == app.m_nCurPage) return;
  app.m_nCurPage = chosen;
  app.m_bPageChanged = true;
}

void CButtonForm::OnTimer() {
  QString count = QString::number(AfxGetApp().m_nPageCount);
  if (count != m_strPageCount) {
    m_strPageCount = count;
    FillPageList();
    UpdateData(false);
  }
  // The page on screen can change while the count stays: a search starts at page 1.
  SelectCurrentPage();
}
