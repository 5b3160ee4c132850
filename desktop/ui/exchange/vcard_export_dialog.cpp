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

// What each contact field becomes, in column-layout order ("Apple Address Book").
const std::array<const char*, kContactFieldCount> kVCardColumns = {
    "",
    "",
    "",
    "",
    "",  // the names make the N and FN lines
    "NICKNAME",
    "ORG",
    "Department",
    "TITLE",
    "File As",
    "TEL;TYPE=CELL",
    "URL",
    "EMAIL;TYPE=INTERNET",
    "TEL;TYPE=PAGER",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",  // the addresses make ADR lines
    "COMPANY_MAIN",
    "TEL;TYPE=WORK",
    "TEL;TYPE=WORK",
    "TEL;TYPE=WORK;TYPE=FAX",
    "TEL;TYPE=CAR",
    "TEL;TYPE=HOME",
    "TEL;TYPE=HOME",
    "TEL;TYPE=HOME;TYPE=FAX",
    "Spouse",
    "Children",
    "X-MSN",
    "X-MSN",
    "X-MSN",
    "EMAIL;TYPE=INTERNET",
    "EMAIL;TYPE=INTERNET",
    "RADIO",
    "Office Loc",
    "Assistant",
    "ASSISTANT",
    "Manager",
    "Customer ID",
    "Account",
    "Gove ID",
    "BDAY",
    "Anniversary",
    "NOTE",
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
  ColumnConfigFile names;
  for (int i = 0; i < kContactFieldCount; ++i)
    names.names[i] = QString::fromLatin1(kVCardColumns[i]);
  m_pages.SetColumnNames(names);
}

void CDlgvCardExportConfig::OnExport() {
  std::optional<QString> path = ExportTarget();
  if (!path) return;
  FinishExport(WriteVCardFile(*path), QStringLiteral("Export vCard Successfull!"),
               QStringLiteral("Export vCard faild!"));
}
