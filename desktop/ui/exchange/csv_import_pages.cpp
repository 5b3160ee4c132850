#include "desktop/ui/exchange/csv_import_pages.h"

#include "platform/windows/window_styles.h"

namespace {

constexpr int kLabelId = -1;  // labels and groups nobody looks up
constexpr int kPageWidth = 577;
constexpr int kPageHeight = 299;
constexpr int kComboX[] = {90, 280, 465};  // the three columns
constexpr int kComboWidth = 85;
constexpr int kLabelWidth = 72;
constexpr unsigned kComboStyle = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT;

struct PageField {
  const char* label;
  int column;  // 0 to 2
  int y;
};

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
    page.controls.push_back({kLabelId, ControlKind::kStatic, field.label, x - 75, field.y + 2,
                             kLabelWidth, 10, WS_VISIBLE | SS_LEFT});
    page.controls.push_back(
        {comboId++, ControlKind::kComboBox, QString(), x, field.y, kComboWidth, 100, kComboStyle});
  }
  return page;
}

// Rows of the address groups.
constexpr int kAddressY[] = {182, 204, 226, 248, 270};

const PageField kFirstPageFields[] = {
    {"First Name:", 0, 18},
    {"Middle Name:", 1, 18},
    {"Last Name:", 2, 18},
    {"Title:", 0, 36},
    {"Suffix:", 1, 36},
    {"Nickname:", 2, 36},
    {"Company:", 0, 72},
    {"Department:", 0, 90},
    {"Job title:", 1, 90},
    {"File As:", 2, 90},
    {"Mobile phone:", 0, 126},
    {"Web page:", 0, 144},
    {"E-mail:", 1, 144},
    {"Pager:", 2, 144},
    {"Street:", 0, kAddressY[0]},
    {"City:", 0, kAddressY[1]},
    {"State:", 0, kAddressY[2]},
    {"Zip:", 0, kAddressY[3]},
    {"Country/Region:", 0, kAddressY[4]},
    {"Street:", 1, kAddressY[0]},
    {"City:", 1, kAddressY[1]},
    {"State:", 1, kAddressY[2]},
    {"Zip:", 1, kAddressY[3]},
    {"Country/Region:", 1, kAddressY[4]},
    {"Street:", 2, kAddressY[0]},
    {"City:", 2, kAddressY[1]},
    {"State:", 2, kAddressY[2]},
    {"Zip:", 2, kAddressY[3]},
    {"Country/Region:", 2, kAddressY[4]},
};

const PageField kSecondPageFields[] = {
    {"Company tel:", 0, 18},
    {"Work tel:", 0, 45},
    {"Work2 tel:", 0, 72},
    {"Work fax:", 0, 99},
    {"Car tel:", 0, 126},
    {"Home tel:", 0, 153},
    {"Home2 tel:", 0, 180},
    {"Home fax:", 0, 207},
    {"Spouse:", 0, 234},
    {"Children:", 0, 261},
    {"IM:", 1, 18},
    {"IM2:", 1, 40},
    {"IM3:", 1, 62},
    {"E-mail2:", 2, 18},
    {"E-mail3:", 2, 40},
    {"Radio tel:", 1, 106},
    {"Assistant:", 1, 132},
    {"Manager:", 1, 158},
    {"Account:", 1, 184},
    {"Birthday:", 1, 210},
    {"Notes:", 1, 236},
    {"Office loc:", 2, 106},
    {"Assistant tel:", 2, 132},
    {"Customer ID:", 2, 158},
    {"Gove. ID:", 2, 184},
    {"Anniversary:", 2, 210},
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

}  // namespace

CCsvImportPage::CCsvImportPage(const DialogTemplate& page, int comboCount)
    : CDialog(page), m_cbColumns(comboCount, nullptr) {}

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

CDlgFirCSVImpCf::CDlgFirCSVImpCf() : CCsvImportPage(kFirstPageTemplate, kComboCount) {}

CDlgSecCSVImpCf::CDlgSecCSVImpCf() : CCsvImportPage(kSecondPageTemplate, kComboCount) {}
