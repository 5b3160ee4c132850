#include "desktop/ui/exchange/csv_import_pages.h"

#include "desktop/exchange/csv/csv_import_boxes.h"
#include "desktop/store/contact_record.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kLabelId = -1;  // labels and groups nobody looks up
constexpr int kPageWidth = 577;
constexpr int kPageHeight = 299;
constexpr int kComboX[] = {90, 280, 465};  // the three columns
constexpr int kComboWidth = 85;
constexpr int kLabelWidth = 72;
constexpr unsigned kComboStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT;

// A box and its label: the field it feeds and its place.
struct PageField {
  ContactFieldId field;
  int column;  // 0 to 2
  int y;
};

using enum ContactFieldId;

ControlTemplate Group(const char* text, int x, int y, int cx, int cy) {
  return {kLabelId, ControlKind::kButton, text, x, y, cx, cy, WS_VISIBLE | BS_GROUPBOX};
}

// A page: its groups, then each field's label and box, the boxes numbered in field order.
DialogTemplate PageTemplate(int id, std::vector<ControlTemplate> groups,
                            std::span<const PageField> fields) {
  DialogTemplate page{
      .id = id,
      .cx = kPageWidth,
      .cy = kPageHeight,
      .fontName = "MS Shell Dlg",
      .pointSize = 8,
      .controls = std::move(groups),
  };
  int comboId = CCsvImportPage::kFirstComboId;
  for (const PageField& field : fields) {
    int x = kComboX[field.column];
    page.controls.push_back({kLabelId, ControlKind::kStatic, LabelOf(field.field), x - 75,
                             field.y + 2, kLabelWidth, 10, WS_VISIBLE | SS_LEFT});
    page.controls.push_back(
        {comboId++, ControlKind::kComboBox, QString(), x, field.y, kComboWidth, 100, kComboStyle});
  }
  return page;
}

// Rows of the address groups.
constexpr int kAddressY[] = {182, 204, 226, 248, 270};

constexpr PageField kFirstPageFields[] = {
    {kFirstName, 0, 18},
    {kMiddleName, 1, 18},
    {kLastName, 2, 18},
    {kTitle, 0, 36},
    {kSuffix, 1, 36},
    {kNickName, 2, 36},
    {kCompany, 0, 72},
    {kDepartment, 0, 90},
    {kJobTitle, 1, 90},
    {kFileAs, 2, 90},
    {kMobilePhone, 0, 126},
    {kWebPage, 0, 144},
    {kEMail, 1, 144},
    {kPager, 2, 144},
    {kWorkStreet, 0, kAddressY[0]},
    {kWorkCity, 0, kAddressY[1]},
    {kWorkState, 0, kAddressY[2]},
    {kWorkZip, 0, kAddressY[3]},
    {kWorkCountry, 0, kAddressY[4]},
    {kHomeStreet, 1, kAddressY[0]},
    {kHomeCity, 1, kAddressY[1]},
    {kHomeState, 1, kAddressY[2]},
    {kHomeZip, 1, kAddressY[3]},
    {kHomeCountry, 1, kAddressY[4]},
    {kOtherStreet, 2, kAddressY[0]},
    {kOtherCity, 2, kAddressY[1]},
    {kOtherState, 2, kAddressY[2]},
    {kOtherZip, 2, kAddressY[3]},
    {kOtherCountry, 2, kAddressY[4]},
};

constexpr PageField kSecondPageFields[] = {
    {kCompanyTel, 0, 18},
    {kWorkTel, 0, 45},
    {kWorkTel2, 0, 72},
    {kWorkFax, 0, 99},
    {kCarTel, 0, 126},
    {kHomeTel, 0, 153},
    {kHomeTel2, 0, 180},
    {kHomeFax, 0, 207},
    {kSpouse, 0, 234},
    {kChildren, 0, 261},
    {kIm, 1, 18},
    {kIm2, 1, 40},
    {kIm3, 1, 62},
    {kEMail2, 2, 18},
    {kEMail3, 2, 40},
    {kRadioTel, 1, 106},
    {kAssistant, 1, 132},
    {kManager, 1, 158},
    {kAccount, 1, 184},
    {kBirthday, 1, 210},
    {kNotes, 1, 236},
    {kOfficeLoc, 2, 106},
    {kAssistantTel, 2, 132},
    {kCustomerId, 2, 158},
    {kGoveId, 2, 184},
    {kAnniversary, 2, 210},
};

const DialogTemplate kFirstPageTemplate =
    PageTemplate(193,
                 {
                     Group("Name", 5, 4, 567, 50),
                     Group("Job", 5, 58, 567, 50),
                     Group("Contact Information", 5, 112, 567, 50),
                     Group("Work address", 5, 166, 185, 128),
                     Group("Home address:", 195, 166, 185, 128),
                     Group("Other address:", 385, 166, 187, 128),
                 },
                 kFirstPageFields);

const DialogTemplate kSecondPageTemplate = PageTemplate(194,
                                                        {
                                                            Group("Tel info", 5, 4, 185, 290),
                                                            Group("E-contact", 195, 4, 377, 82),
                                                            Group("Others", 195, 92, 377, 202),
                                                        },
                                                        kSecondPageFields);

std::vector<ContactFieldId> FieldsOf(std::span<const PageField> fields) {
  std::vector<ContactFieldId> ids;
  for (const PageField& field : fields) ids.push_back(field.field);
  return ids;
}

// The boxes of both pages, the first page's first, feed the fields in the import's box order.
template <size_t N>
constexpr bool FeedsBoxesFrom(const PageField (&fields)[N], int first) {
  for (size_t box = 0; box < N; ++box) {
    if (fields[box].field != kCsvImportBoxFields[first + box]) return false;
  }
  return true;
}
static_assert(std::size(kFirstPageFields) == CDlgFirCSVImpCf::kComboCount &&
              FeedsBoxesFrom(kFirstPageFields, 0));
static_assert(std::size(kSecondPageFields) == CDlgSecCSVImpCf::kComboCount &&
              FeedsBoxesFrom(kSecondPageFields, CDlgFirCSVImpCf::kComboCount));
static_assert(CDlgFirCSVImpCf::kComboCount + CDlgSecCSVImpCf::kComboCount == kContactFieldCount);

}  // namespace

CCsvImportPage::CCsvImportPage(const DialogTemplate& page, std::vector<ContactFieldId> fields)
    : CDialog(page), m_cbColumns(fields.size(), nullptr), m_fields(std::move(fields)) {}

bool CCsvImportPage::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int i = 0; i < ComboCount(); ++i) {
    m_cbColumns[i] = dynamic_cast<CComboBox*>(GetDlgItem(kFirstComboId + i));
  }
  return true;
}

QString CCsvImportPage::GetComboText(int index) const { return m_cbColumns[index]->currentText(); }

void CCsvImportPage::SetComboText(int index, const QString& text) {
  m_cbColumns[index]->setEditText(text);
}

void CCsvImportPage::FillColumnCombos(const CsvRow& header) {
  for (CComboBox* combo : m_cbColumns) {
    combo->clear();
    for (const QString& name : header) combo->AddString(name);
    combo->setCurrentIndex(-1);
  }
}

void CCsvImportPage::MapColumns(const CsvRow& header, std::span<int> columns) const {
  for (int i = 0; i < ComboCount(); ++i) {
    QString name = GetComboText(i);
    columns[i] = name.isEmpty() ? -1 : static_cast<int>(header.indexOf(name));
  }
}

CDlgFirCSVImpCf::CDlgFirCSVImpCf()
    : CCsvImportPage(kFirstPageTemplate, FieldsOf(kFirstPageFields)) {}

CDlgSecCSVImpCf::CDlgSecCSVImpCf()
    : CCsvImportPage(kSecondPageTemplate, FieldsOf(kSecondPageFields)) {}
