#include "desktop/ui/exchange/csv_export_pages.h"

#include <QLineEdit>

#include "platform/windows/window_styles.h"

namespace {

constexpr int kLabelId = -1;  // labels and groups nobody looks up
constexpr int kPageWidth = 577;
constexpr int kPageHeight = 299;
constexpr int kRowHeight = 18;
constexpr int kLabelWidth = 58;
constexpr int kBoxOffset = 64;  // from the label to its box
constexpr int kBoxWidth = 112;
constexpr int kBoxHeight = 12;
constexpr unsigned kBoxStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

struct Group {
  const char* text;
  int x, y, cx, cy;
};

// A box: its control id, its label and its place, in the page's columns of 190 dialog units.
struct PageBox {
  int id;
  const char* label;
  int column;
  int y;
};

constexpr int ColumnX(int column) { return 12 + 190 * column; }
constexpr int Row(int top, int row) { return top + kRowHeight * row; }

// The groups, then each box's label and box, the boxes in the page's (column-layout) order.
DialogTemplate PageTemplate(int id, std::span<const Group> groups, std::span<const PageBox> boxes) {
  DialogTemplate page{
      .id = id,
      .cx = kPageWidth,
      .cy = kPageHeight,
      .fontName = "MS Shell Dlg",
      .pointSize = 8,
  };
  for (const Group& group : groups) {
    page.controls.push_back({kLabelId, ControlKind::kButton, group.text, group.x, group.y, group.cx,
                             group.cy, WS_VISIBLE | BS_GROUPBOX});
  }
  for (const PageBox& box : boxes) {
    int x = ColumnX(box.column);
    page.controls.push_back({kLabelId, ControlKind::kStatic, box.label, x, box.y + 2, kLabelWidth,
                             10, WS_VISIBLE | SS_LEFT});
    page.controls.push_back({box.id, ControlKind::kEdit, QString(), x + kBoxOffset, box.y,
                             kBoxWidth, kBoxHeight, kBoxStyle});
  }
  return page;
}

template <size_t N>
std::vector<int> BoxIds(const PageBox (&boxes)[N]) {
  std::vector<int> ids;
  for (const PageBox& box : boxes) ids.push_back(box.id);
  return ids;
}

// First page: three rows of three columns in the name, job and contact groups, then the three
// addresses side by side.
constexpr int kNameTop = 16, kJobTop = 68, kContactTop = 120, kAddressTop = 174;

const Group kFirstPageGroups[] = {
    {"Name", 5, 4, 567, 48},
    {"Job", 5, 56, 567, 48},
    {"Contact Information", 5, 108, 567, 48},
    {"Work address", 5, 160, 185, 106},
    {"Home address:", 195, 160, 185, 106},
    {"Other address:", 385, 160, 187, 106},
};

const PageBox kFirstPageBoxes[] = {
    {1279, "First Name:", 0, Row(kNameTop, 0)},
    {1282, "Middle Name:", 1, Row(kNameTop, 0)},
    {1283, "Last Name:", 2, Row(kNameTop, 0)},
    {1276, "Title:", 0, Row(kNameTop, 1)},
    {1280, "Suffix:", 1, Row(kNameTop, 1)},
    {1281, "Nickname:", 2, Row(kNameTop, 1)},
    {1284, "Company:", 0, Row(kJobTop, 0)},
    {1285, "Department:", 0, Row(kJobTop, 1)},
    {1286, "Job Title:", 1, Row(kJobTop, 1)},
    {1287, "File As:", 2, Row(kJobTop, 1)},
    {1288, "Mobile Phone:", 0, Row(kContactTop, 0)},
    {1289, "Web Page:", 0, Row(kContactTop, 1)},
    {1290, "E-mail:", 1, Row(kContactTop, 1)},
    {1291, "Pager:", 2, Row(kContactTop, 1)},
    {1292, "Street:", 0, Row(kAddressTop, 0)},
    {1293, "City:", 0, Row(kAddressTop, 1)},
    {1294, "State:", 0, Row(kAddressTop, 2)},
    {1295, "Zip:", 0, Row(kAddressTop, 3)},
    {1275, "Country/Region:", 0, Row(kAddressTop, 4)},
    {1296, "Street:", 1, Row(kAddressTop, 0)},
    {1297, "City:", 1, Row(kAddressTop, 1)},
    {1298, "State:", 1, Row(kAddressTop, 2)},
    {1299, "Zip:", 1, Row(kAddressTop, 3)},
    {1300, "Country/Region:", 1, Row(kAddressTop, 4)},
    {1301, "Street:", 2, Row(kAddressTop, 0)},
    {1302, "City:", 2, Row(kAddressTop, 1)},
    {1303, "State:", 2, Row(kAddressTop, 2)},
    {1304, "Zip:", 2, Row(kAddressTop, 3)},
    {1305, "Country/Region:", 2, Row(kAddressTop, 4)},
};

// Second page: "Tel info" on the left, "E-contact" and "Others" as the two columns beside it.
constexpr int kSecondTop = 16;

const Group kSecondPageGroups[] = {
    {"Tel info", 5, 4, 185, 192},
    {"E-contact", 195, 4, 185, 102},
    {"Others", 385, 4, 187, 210},
};

const PageBox kSecondPageBoxes[] = {
    {1274, "Company tel:", 0, Row(kSecondTop, 0)},
    {1265, "Work tel:", 0, Row(kSecondTop, 1)},
    {1266, "Work2 tel:", 0, Row(kSecondTop, 2)},
    {1267, "Work fax:", 0, Row(kSecondTop, 3)},
    {1268, "Car tel:", 0, Row(kSecondTop, 4)},
    {1269, "Home tel:", 0, Row(kSecondTop, 5)},
    {1270, "Home2 tel:", 0, Row(kSecondTop, 6)},
    {1271, "Home fax:", 0, Row(kSecondTop, 7)},
    {1272, "Spouse:", 0, Row(kSecondTop, 8)},
    {1273, "Children:", 0, Row(kSecondTop, 9)},
    {1263, "IM:", 1, Row(kSecondTop, 0)},
    {1189, "IM2:", 1, Row(kSecondTop, 1)},
    {1250, "IM3:", 1, Row(kSecondTop, 2)},
    {1264, "E-mail2:", 1, Row(kSecondTop, 3)},
    {1257, "E-mail3:", 1, Row(kSecondTop, 4)},
    {1251, "Radio tel:", 2, Row(kSecondTop, 0)},
    {1258, "Office loc:", 2, Row(kSecondTop, 1)},
    {1252, "Assistant:", 2, Row(kSecondTop, 2)},
    {1259, "Assistant tel:", 2, Row(kSecondTop, 3)},
    {1253, "Manager:", 2, Row(kSecondTop, 4)},
    {1260, "Customer ID:", 2, Row(kSecondTop, 5)},
    {1254, "Account:", 2, Row(kSecondTop, 6)},
    {1261, "Gove. ID:", 2, Row(kSecondTop, 7)},
    {1255, "Birthday:", 2, Row(kSecondTop, 8)},
    {1262, "Anniversary:", 2, Row(kSecondTop, 9)},
    {1256, "Notes:", 2, Row(kSecondTop, 10)},
};

static_assert(std::size(kFirstPageBoxes) == CDlgFirCSVExpCf::kBoxCount);
static_assert(std::size(kSecondPageBoxes) == CDlgSecCSVExpCf::kBoxCount);

const DialogTemplate kFirstPageTemplate = PageTemplate(195, kFirstPageGroups, kFirstPageBoxes);
const DialogTemplate kSecondPageTemplate = PageTemplate(196, kSecondPageGroups, kSecondPageBoxes);
const std::vector<int> kFirstPageIds = BoxIds(kFirstPageBoxes);
const std::vector<int> kSecondPageIds = BoxIds(kSecondPageBoxes);

}  // namespace

CCsvExportPage::CCsvExportPage(const DialogTemplate& page, std::span<const int> boxIds)
    : CDialog(page), m_boxIds(boxIds.begin(), boxIds.end()) {}

QLineEdit* CCsvExportPage::Box(int box) const { return Item<QLineEdit>(m_boxIds[box]); }

QString CCsvExportPage::GetBoxText(int box) const { return GetDlgItemText(m_boxIds[box]); }

void CCsvExportPage::SetBoxText(int box, const QString& text) {
  SetDlgItemText(m_boxIds[box], text);
}

void CCsvExportPage::SetColumnsReadOnly(bool readOnly) {
  for (int box = 0; box < BoxCount(); ++box) Box(box)->setReadOnly(readOnly);
}

CDlgFirCSVExpCf::CDlgFirCSVExpCf() : CCsvExportPage(kFirstPageTemplate, kFirstPageIds) {}

CDlgSecCSVExpCf::CDlgSecCSVExpCf() : CCsvExportPage(kSecondPageTemplate, kSecondPageIds) {}

void CsvExportPages::Create(CTabCtrl* tab) {
  m_tabCtrl = tab;
  tab->InsertItem(0, QStringLiteral("First Config"));
  tab->InsertItem(1, QStringLiteral("Second Config"));
  // Below the tabs, inside the frame: x = L + 1, y = T + 22, to R - 2 and B - 2.
  QRect area = tab->GetClientRect().adjusted(1, 22, -2, -2);
  for (CCsvExportPage* page :
       {static_cast<CCsvExportPage*>(&m_dlgFirst), static_cast<CCsvExportPage*>(&m_dlgSecond)}) {
    page->Create(tab);
    page->MoveWindow(area);
  }
  m_dlgFirst.show();
  m_dlgSecond.hide();
}

void CsvExportPages::OnTabSelChange() {
  bool first = m_tabCtrl->GetCurSel() == 0;
  m_dlgFirst.setVisible(first);
  m_dlgSecond.setVisible(!first);
}

ColumnConfigFile CsvExportPages::GetColumnNames() const {
  ColumnConfigFile names;
  for (int box = 0; box < CDlgFirCSVExpCf::kBoxCount; ++box) {
    names.names[box] = m_dlgFirst.GetBoxText(box);
  }
  for (int box = 0; box < CDlgSecCSVExpCf::kBoxCount; ++box) {
    names.names[CDlgFirCSVExpCf::kBoxCount + box] = m_dlgSecond.GetBoxText(box);
  }
  return names;
}

void CsvExportPages::SetColumnNames(const ColumnConfigFile& names) {
  for (int box = 0; box < CDlgFirCSVExpCf::kBoxCount; ++box) {
    m_dlgFirst.SetBoxText(box, names.names[box]);
  }
  for (int box = 0; box < CDlgSecCSVExpCf::kBoxCount; ++box) {
    m_dlgSecond.SetBoxText(box, names.names[CDlgFirCSVExpCf::kBoxCount + box]);
  }
}

void CsvExportPages::SetColumnsReadOnly(bool readOnly) {
  m_dlgFirst.SetColumnsReadOnly(readOnly);
  m_dlgSecond.SetColumnsReadOnly(readOnly);
}
