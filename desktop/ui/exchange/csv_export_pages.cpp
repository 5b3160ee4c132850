#include "desktop/ui/exchange/csv_export_pages.h"

#include <QLineEdit>

#include "desktop/store/contact_record.h"
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

// A box: its control id, its field (labelled as the field is unless a label is given) and its
// place, in the page's columns of 190 dialog units.
struct PageBox {
  int id;
  ContactFieldId field;
  int column;
  int y;
  const char* label = nullptr;

  const char* Label() const { return label ? label : LabelOf(field); }
};

using enum ContactFieldId;

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
    page.controls.push_back({kLabelId, ControlKind::kStatic, box.Label(), x, box.y + 2, kLabelWidth,
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

constexpr PageBox kFirstPageBoxes[] = {
    {1279, kFirstName, 0, Row(kNameTop, 0)},
    {1282, kMiddleName, 1, Row(kNameTop, 0)},
    {1283, kLastName, 2, Row(kNameTop, 0)},
    {1276, kTitle, 0, Row(kNameTop, 1)},
    {1280, kSuffix, 1, Row(kNameTop, 1)},
    {1281, kNickName, 2, Row(kNameTop, 1)},
    {1284, kCompany, 0, Row(kJobTop, 0)},
    {1285, kDepartment, 0, Row(kJobTop, 1)},
    {1286, kJobTitle, 1, Row(kJobTop, 1), "Job Title:"},
    {1287, kFileAs, 2, Row(kJobTop, 1)},
    {1288, kMobilePhone, 0, Row(kContactTop, 0), "Mobile Phone:"},
    {1289, kWebPage, 0, Row(kContactTop, 1), "Web Page:"},
    {1290, kEMail, 1, Row(kContactTop, 1)},
    {1291, kPager, 2, Row(kContactTop, 1)},
    {1292, kWorkStreet, 0, Row(kAddressTop, 0)},
    {1293, kWorkCity, 0, Row(kAddressTop, 1)},
    {1294, kWorkState, 0, Row(kAddressTop, 2)},
    {1295, kWorkZip, 0, Row(kAddressTop, 3)},
    {1275, kWorkCountry, 0, Row(kAddressTop, 4)},
    {1296, kHomeStreet, 1, Row(kAddressTop, 0)},
    {1297, kHomeCity, 1, Row(kAddressTop, 1)},
    {1298, kHomeState, 1, Row(kAddressTop, 2)},
    {1299, kHomeZip, 1, Row(kAddressTop, 3)},
    {1300, kHomeCountry, 1, Row(kAddressTop, 4)},
    {1301, kOtherStreet, 2, Row(kAddressTop, 0)},
    {1302, kOtherCity, 2, Row(kAddressTop, 1)},
    {1303, kOtherState, 2, Row(kAddressTop, 2)},
    {1304, kOtherZip, 2, Row(kAddressTop, 3)},
    {1305, kOtherCountry, 2, Row(kAddressTop, 4)},
};

// Second page: "Tel info" on the left, "E-contact" and "Others" as the two columns beside it.
constexpr int kSecondTop = 16;

const Group kSecondPageGroups[] = {
    {"Tel info", 5, 4, 185, 192},
    {"E-contact", 195, 4, 185, 102},
    {"Others", 385, 4, 187, 210},
};

constexpr PageBox kSecondPageBoxes[] = {
    {1274, kCompanyTel, 0, Row(kSecondTop, 0)},   {1265, kWorkTel, 0, Row(kSecondTop, 1)},
    {1266, kWorkTel2, 0, Row(kSecondTop, 2)},     {1267, kWorkFax, 0, Row(kSecondTop, 3)},
    {1268, kCarTel, 0, Row(kSecondTop, 4)},       {1269, kHomeTel, 0, Row(kSecondTop, 5)},
    {1270, kHomeTel2, 0, Row(kSecondTop, 6)},     {1271, kHomeFax, 0, Row(kSecondTop, 7)},
    {1272, kSpouse, 0, Row(kSecondTop, 8)},       {1273, kChildren, 0, Row(kSecondTop, 9)},
    {1263, kIm, 1, Row(kSecondTop, 0)},           {1189, kIm2, 1, Row(kSecondTop, 1)},
    {1250, kIm3, 1, Row(kSecondTop, 2)},          {1264, kEMail2, 1, Row(kSecondTop, 3)},
    {1257, kEMail3, 1, Row(kSecondTop, 4)},       {1251, kRadioTel, 2, Row(kSecondTop, 0)},
    {1258, kOfficeLoc, 2, Row(kSecondTop, 1)},    {1252, kAssistant, 2, Row(kSecondTop, 2)},
    {1259, kAssistantTel, 2, Row(kSecondTop, 3)}, {1253, kManager, 2, Row(kSecondTop, 4)},
    {1260, kCustomerId, 2, Row(kSecondTop, 5)},   {1254, kAccount, 2, Row(kSecondTop, 6)},
    {1261, kGoveId, 2, Row(kSecondTop, 7)},       {1255, kBirthday, 2, Row(kSecondTop, 8)},
    {1262, kAnniversary, 2, Row(kSecondTop, 9)},  {1256, kNotes, 2, Row(kSecondTop, 10)},
};

// The boxes of both pages hold the fields in column-layout order, the first page's first.
template <size_t N>
constexpr bool HoldsFieldsFrom(const PageBox (&boxes)[N], int first) {
  for (size_t box = 0; box < N; ++box) {
    if (Index(boxes[box].field) != first + static_cast<int>(box)) return false;
  }
  return true;
}
static_assert(std::size(kFirstPageBoxes) == CDlgFirCSVExpCf::kBoxCount &&
              HoldsFieldsFrom(kFirstPageBoxes, 0));
static_assert(std::size(kSecondPageBoxes) == CDlgSecCSVExpCf::kBoxCount &&
              HoldsFieldsFrom(kSecondPageBoxes, CDlgFirCSVExpCf::kBoxCount));
static_assert(CDlgFirCSVExpCf::kBoxCount + CDlgSecCSVExpCf::kBoxCount == kContactFieldCount);

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
