#include "desktop/ui/exchange/vcard_export_dialog.h"

#include <QDir>
#include <QFileInfo>

#include "desktop/exchange/vcard/vcard_export.h"

namespace {

const CExportConfigDialog::ExportTexts kTexts = {
    "Export the contacts as a vCard File",
    "vCard files (*.vcf)|*.vcf|",
    "Export vCard  Error",
    "Export vCard Result",
};

// What each contact field becomes ("Apple Address Book"); the names make the N and FN lines and
// the addresses ADR lines, so their boxes stay empty.
using enum ContactFieldId;
constexpr FieldValue<const char*> kVCardColumns[] = {
    {kNickName, "NICKNAME"},
    {kCompany, "ORG"},
    {kDepartment, "Department"},
    {kJobTitle, "TITLE"},
    {kFileAs, "File As"},
    {kMobilePhone, "TEL;TYPE=CELL"},
    {kWebPage, "URL"},
    {kEMail, "EMAIL;TYPE=INTERNET"},
    {kPager, "TEL;TYPE=PAGER"},
    {kCompanyTel, "COMPANY_MAIN"},
    {kWorkTel, "TEL;TYPE=WORK"},
    {kWorkTel2, "TEL;TYPE=WORK"},
    {kWorkFax, "TEL;TYPE=WORK;TYPE=FAX"},
    {kCarTel, "TEL;TYPE=CAR"},
    {kHomeTel, "TEL;TYPE=HOME"},
    {kHomeTel2, "TEL;TYPE=HOME"},
    {kHomeFax, "TEL;TYPE=HOME;TYPE=FAX"},
    {kSpouse, "Spouse"},
    {kChildren, "Children"},
    {kIm, "X-MSN"},
    {kIm2, "X-MSN"},
    {kIm3, "X-MSN"},
    {kEMail2, "EMAIL;TYPE=INTERNET"},
    {kEMail3, "EMAIL;TYPE=INTERNET"},
    {kRadioTel, "RADIO"},
    {kOfficeLoc, "Office Loc"},
    {kAssistant, "Assistant"},
    {kAssistantTel, "ASSISTANT"},
    {kManager, "Manager"},
    {kCustomerId, "Customer ID"},
    {kAccount, "Account"},
    {kGoveId, "Gove ID"},
    {kBirthday, "BDAY"},
    {kAnniversary, "Anniversary"},
    {kNotes, "NOTE"},
};

// The titles of the files "Config/*.vcf", in the order the folder lists them.
QStringList VCardConfigTitles() {
  QStringList titles;
  for (const QFileInfo& file :
       QDir(QStringLiteral("Config")).entryInfoList({QStringLiteral("*.vcf")}, QDir::Files)) {
    titles << file.completeBaseName();
  }
  return titles;
}

}  // namespace

CDlgvCardExportConfig::CDlgvCardExportConfig(QWidget* parent)
    : CExportConfigDialog(198, "vCard File Export Config", 0, kTexts, parent) {}

bool CDlgvCardExportConfig::OnInitDialog() {
  CExportConfigDialog::OnInitDialog();
  m_cbConfigName->AddString(QStringLiteral("Apple Address Book"));
  for (const QString& title : VCardConfigTitles()) m_cbConfigName->AddString(title);
  m_cbConfigName->setCurrentIndex(0);
  m_pages.SetColumnsReadOnly(true);
  ApplyVCardColumns();
  return true;
}

void CDlgvCardExportConfig::ApplyVCardColumns() {
  constexpr auto kColumns = ValuesByField<const char*, kContactFieldCount>(kVCardColumns);
  ColumnConfigFile names;
  for (int i = 0; i < kContactFieldCount; ++i) names.names[i] = QString::fromLatin1(kColumns[i]);
  m_pages.SetColumnNames(names);
}

void CDlgvCardExportConfig::OnExport() {
  std::optional<QString> path = ExportTarget();
  if (!path) return;
  FinishExport(WriteVCardFile(*path), QStringLiteral("Export vCard Successfull!"),
               QStringLiteral("Export vCard faild!"));
}
