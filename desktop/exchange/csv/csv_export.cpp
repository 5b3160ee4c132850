#include "desktop/exchange/csv/csv_export.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "common/text_mode_file.h"
#include "desktop/exchange/contact_export_rows.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/contact_record.h"

namespace {

using enum ContactFieldId;

// The 55 fields in the order of the common layouts' columns, which is the table's column order.
const std::vector<const ContactField*>& CommonLayoutFields() {
  static const std::vector<const ContactField*> fields = [] {
    std::vector<const ContactField*> sorted;
    for (const ContactField& field : kContactFields) sorted.push_back(&field);
    std::sort(sorted.begin(), sorted.end(), [](const ContactField* a, const ContactField* b) {
      return a->columnIndex < b->columnIndex;
    });
    return sorted;
  }();
  return fields;
}

// The column names of the built-in common layouts, "Default" and "Outlook".
struct BuiltInNames {
  const char* common;
  const char* outlook;
};

constexpr FieldValue<BuiltInNames> kBuiltInNames[] = {
    {kFirstName, {"First Name", "First Name"}},
    {kMiddleName, {"Middle Name", "Middle Name"}},
    {kLastName, {"Last Name", "Last Name"}},
    {kTitle, {"Title", "Title"}},
    {kSuffix, {"Suffix", "Suffix"}},
    {kNickName, {"Nickname", "Nickname"}},
    {kCompany, {"Company", "Company"}},
    {kDepartment, {"Department", "Department"}},
    {kJobTitle, {"Job Title", "Job Title"}},
    {kFileAs, {"File As", "File As"}},
    {kMobilePhone, {"Mobile Phone", "Mobile Phone"}},
    {kWebPage, {"Web Page", "Web Page"}},
    {kEMail, {"Email", "E-mail Address"}},
    {kPager, {"Pager", "Pager"}},
    {kWorkStreet, {"Work Street", "Business Street"}},
    {kWorkCity, {"Work City", "Business City"}},
    {kWorkState, {"Work State", "Business State"}},
    {kWorkZip, {"Work Zip", "Business Postal Code"}},
    {kWorkCountry, {"Work Country", "Business Country/Region"}},
    {kHomeStreet, {"Home Street", "Home Street"}},
    {kHomeCity, {"Home City", "Home City"}},
    {kHomeState, {"Home State", "Home State"}},
    {kHomeZip, {"Home Zip", "Home Postal Code"}},
    {kHomeCountry, {"Home Country", "Home Country/Region"}},
    {kOtherStreet, {"Other Street", "Other Street"}},
    {kOtherCity, {"Other City", "Other City"}},
    {kOtherState, {"Other State", "Other State"}},
    {kOtherZip, {"Other Zip", "Other Postal Code"}},
    {kOtherCountry, {"Other Country", "Other Country/Region"}},
    {kCompanyTel, {"Company Tel", "Company Main Phone"}},
    {kWorkTel, {"Work Tel", "Business Phone"}},
    {kWorkTel2, {"Work2 Tel", "Business Phone 2"}},
    {kWorkFax, {"Work Fax", "Business Fax"}},
    {kCarTel, {"Car Tel", "Car Phone"}},
    {kHomeTel, {"Home Tel", "Home Phone"}},
    {kHomeTel2, {"Home2 Tel", "Home Phone 2"}},
    {kHomeFax, {"Home Fax", "Home Fax"}},
    {kSpouse, {"Spouse", "Spouse"}},
    {kChildren, {"Children", "Children"}},
    {kIm, {"IM", "IM"}},
    {kIm2, {"IM2", "IM2"}},
    {kIm3, {"IM3", "IM3"}},
    {kEMail2, {"Email2", "E-mail 2 Address"}},
    {kEMail3, {"Email3", "E-mail 3 Address"}},
    {kRadioTel, {"Radio Tel", "Radio Phone"}},
    {kOfficeLoc, {"Office Loc", "Office Location"}},
    {kAssistant, {"Assistant", "Assistant's Name"}},
    {kAssistantTel, {"Assistant Tel", "Assistant's Phone"}},
    {kManager, {"Manager", "Manager's Name"}},
    {kCustomerId, {"Customer ID", "Customer ID"}},
    {kAccount, {"Account", "Account"}},
    {kGoveId, {"Gove ID", "Government ID Number"}},
    {kBirthday, {"Birthday", "Birthday"}},
    {kAnniversary, {"Anniversary", "Anniversary"}},
    {kNotes, {"Notes", "Notes"}},
};
static_assert(std::size(kBuiltInNames) == kContactFieldCount, "the layouts name every field");

ColumnConfigFile BuiltInLayout(const char* BuiltInNames::*layout) {
  static constexpr auto kNames = ValuesByField<BuiltInNames, kContactFieldCount>(kBuiltInNames);
  ColumnConfigFile columns;
  for (int i = 0; i < kContactFieldCount; ++i) {
    columns.names[i] = QString::fromLatin1(kNames[i].*layout);
  }
  return columns;
}

// A value as one quoted field. Line breaks are kept inside the quotes as LF, which reaches the
// file as CR LF: a CR LF typed on the desktop would otherwise reach it as CR CR LF, and a lone
// CR would end the record early for a reader of the file.
void AppendField(QString* line, QString value) {
  if (value.contains(QLatin1Char('\r'))) {
    value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  }
  if (value.contains(QLatin1Char('"'))) value.replace(QLatin1String("\""), QLatin1String("\"\""));
  *line += QLatin1Char('"');
  *line += value;
  *line += QLatin1Char('"');
}

// Fields joined by commas, the line ended by LF.
class CsvLine {
 public:
  void Add(const QString& value) {
    if (!text_.isEmpty()) text_ += QLatin1Char(',');
    AppendField(&text_, value);
  }
  QString Finish() { return text_ + QLatin1Char('\n'); }

 private:
  QString text_;
};

// ---- Google layout ---------------------------------------------------------------------------

enum class GoogleValue {
  kColumn,         // the text of a field
  kLabel,          // a fixed type label
  kAddressType,    // the label for a phone contact, empty otherwise
  kAddressFormat,  // the address starting at the field, for a phone contact
};

struct GoogleColumn {
  const char* header;
  GoogleValue kind;
  const char* label = nullptr;
  ContactFieldId field = {};
};

constexpr GoogleColumn Col(const char* header, ContactFieldId field) {
  return {header, GoogleValue::kColumn, nullptr, field};
}
constexpr GoogleColumn Label(const char* header, const char* label) {
  return {header, GoogleValue::kLabel, label};
}
constexpr GoogleColumn AddressType(const char* header, const char* label) {
  return {header, GoogleValue::kAddressType, label};
}
constexpr GoogleColumn AddressFormat(const char* header, ContactFieldId street) {
  return {header, GoogleValue::kAddressFormat, nullptr, street};
}

constexpr GoogleColumn kGoogleColumns[] = {
    Col("Name Prefix", kTitle),
    Col("Given Name", kFirstName),
    Col("Additional Name", kMiddleName),
    Col("Family Name", kLastName),
    Col("Name Suffix", kSuffix),
    Col("Nickname", kNickName),
    Col("Organization 1 - Name", kCompany),
    Label("Custom Field 4 - Type", "Department"),
    Col("Custom Field 4 - Value", kDepartment),
    Col("Organization 1 - Title", kJobTitle),
    AddressType("Address 1 - Type", "Work"),
    AddressFormat("Address 1 - Formatted", kWorkStreet),
    AddressType("Address 2 - Type", "Home"),
    AddressFormat("Address 2 - Formatted", kHomeStreet),
    AddressType("Address 3 - Type", "Other"),
    AddressFormat("Address 3 - Formatted", kOtherStreet),
    Label("Phone 1 - Type", "Main"),
    Col("Phone 1 - Value", kMobilePhone),
    Col("Website 1 - Value", kWebPage),
    Col("E-mail 1 - Value", kEMail),
    Label("Phone 2 - Type", "Pager"),
    Col("Phone 2 - Value", kPager),
    Label("Phone 3 - Type", "Company Main"),
    Col("Phone 3 - Value", kCompanyTel),
    Label("Phone 4 - Type", "Work"),
    Col("Phone 4 - Value", kWorkTel),
    Label("Phone 5 - Type", "Work"),
    Col("Phone 5 - Value", kWorkTel2),
    Label("Phone 6 - Type", "Work Fax"),
    Col("Phone 6 - Value", kWorkFax),
    Label("Phone 7 - Type", "Car"),
    Col("Phone 7 - Value", kCarTel),
    Label("Phone 8 - Type", "Home"),
    Col("Phone 8 - Value", kHomeTel),
    Label("Phone 9 - Type", "Home"),
    Col("Phone 9 - Value", kHomeTel2),
    Label("Phone 10 - Type", "Home Fax"),
    Col("Phone 10 - Value", kHomeFax),
    Label("Relation 4 - Type", "Spouse"),
    Col("Relation 4 - Value", kSpouse),
    Label("Relation 3 - Type", "Child"),
    Col("Relation 3 - Value", kChildren),
    Col("IM 1 - Value", kIm),
    Col("IM 2 - Value", kIm2),
    Col("IM 3 - Value", kIm3),
    Col("E-mail 2 - Value", kEMail2),
    Col("E-mail 3 - Value", kEMail3),
    Label("Phone 11 - Type", "Radio"),
    Col("Phone 11 - Value", kRadioTel),
    Label("Custom Field 1 - Type", "Office Loc"),
    Col("Custom Field 1 - Value", kOfficeLoc),
    Label("Relation 2 - Type", "Assistant"),
    Col("Relation 2 - Value", kAssistant),
    Label("Phone 12 - Type", "Assistant"),
    Col("Phone 12 - Value", kAssistantTel),
    Label("Relation 1 - Type", "Manager"),
    Col("Relation 1 - Value", kManager),
    Label("Custom Field 2 - Type", "Customer's ID"),
    Col("Custom Field 2 - Value", kCustomerId),
    Label("Custom Field 5 - Type", "Account"),
    Col("Custom Field 5 - Value", kAccount),
    Label("Custom Field 3 - Type", "Gove.ID"),
    Col("Custom Field 3 - Value", kGoveId),
    Col("Birthday", kBirthday),
    Label("Event 1 - Type", "Anniversary"),
    Col("Event 1 - Value", kAnniversary),
    Col("Notes", kNotes),
};

// A Google column with its label as text and its columns: one column, or the five of an address.
struct ResolvedGoogleColumn {
  GoogleValue kind;
  QString label;
  std::vector<int> columns;
};

const std::vector<ResolvedGoogleColumn>& GoogleColumns() {
  static const std::vector<ResolvedGoogleColumn> columns = [] {
    std::vector<ResolvedGoogleColumn> resolved;
    for (const GoogleColumn& column : kGoogleColumns) {
      ResolvedGoogleColumn entry{column.kind, QString::fromLatin1(column.label), {}};
      if (column.kind == GoogleValue::kColumn) entry.columns = {ColumnOf(column.field)};
      if (column.kind == GoogleValue::kAddressFormat) {
        std::array<int, 5> parts = AddressColumns(column.field);
        entry.columns.assign(parts.begin(), parts.end());
      }
      resolved.push_back(entry);
    }
    return resolved;
  }();
  return columns;
}

// Street, city, state, zip and country, each followed by a blank when present, with a comma
// after the city once there is any text: "12 Oak Rd Leeds ,LS1 UK ".
QString FormattedAddress(const SqlStatement& row, const std::vector<int>& columns) {
  QString text;
  for (int part = 0; part < 5; ++part) {
    QString value = row.ColumnText(columns[part]);
    if (!value.isEmpty()) text += value + QLatin1Char(' ');
    if (part == 1 && !text.isEmpty()) text += QLatin1Char(',');
  }
  return text;
}

QString GoogleRow(const SqlStatement& row) {
  bool phoneContact = row.ColumnInt(kColumnContactType) == kPhoneContact;
  CsvLine line;
  for (const ResolvedGoogleColumn& column : GoogleColumns()) {
    switch (column.kind) {
      case GoogleValue::kColumn:
        line.Add(row.ColumnText(column.columns[0]));
        break;
      case GoogleValue::kLabel:
        line.Add(column.label);
        break;
      case GoogleValue::kAddressType:
        line.Add(phoneContact ? column.label : QString());
        break;
      case GoogleValue::kAddressFormat:
        line.Add(phoneContact ? FormattedAddress(row, column.columns) : QString());
        break;
    }
  }
  return line.Finish();
}

QString CommonRow(const SqlStatement& row) {
  CsvLine line;
  for (const ContactField* field : CommonLayoutFields()) {
    line.Add(row.ColumnText(field->columnIndex));
  }
  return line.Finish();
}

// ---- Writing ---------------------------------------------------------------------------------

ExportOutcome WriteCsvFile(const QString& path, const QString& header,
                           const std::function<QString(const SqlStatement&)>& formatRow,
                           const QString& databasePath) {
  ContactExportRows rows(databasePath);
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  if (rows.Count() == 0) return {ExportResult::kNoRecords};
  // A writer that is not committed drops its temporary file: a failed export leaves nothing.
  TextModeWriter file;
  if (!file.Open(path)) return {ExportResult::kCannotCreate};
  bool written = rows.Fault() == DatabaseFault::kNone && file.Write(header);
  while (written && rows.Next()) written = file.Write(formatRow(rows.Row()));
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  if (!written || !file.Commit()) return {ExportResult::kCannotWrite};
  return {ExportResult::kWritten};
}

}  // namespace

bool IsGoogleLayout(const QString& layoutName) {
  return layoutName.compare(QLatin1String("Google"), Qt::CaseInsensitive) == 0;
}

const ColumnConfigFile& DefaultCsvColumns() {
  static const ColumnConfigFile columns = BuiltInLayout(&BuiltInNames::common);
  return columns;
}

const ColumnConfigFile& OutlookCsvColumns() {
  static const ColumnConfigFile columns = BuiltInLayout(&BuiltInNames::outlook);
  return columns;
}

QString BuildGoogleCsvHeader() {
  CsvLine line;
  for (const GoogleColumn& column : kGoogleColumns) line.Add(QString::fromLatin1(column.header));
  return line.Finish();
}

QString BuildCommonCsvHeader(const ColumnConfigFile& names) {
  CsvLine line;
  for (const ContactField* field : CommonLayoutFields()) line.Add(names.names[field->number - 1]);
  return line.Finish();
}

ExportOutcome WriteCommonCsvRows(const QString& path, const ColumnConfigFile& names,
                                 const QString& databasePath) {
  return WriteCsvFile(path, BuildCommonCsvHeader(names), CommonRow, databasePath);
}

ExportOutcome WriteGoogleCsvRows(const QString& path, const QString& databasePath) {
  return WriteCsvFile(path, BuildGoogleCsvHeader(), GoogleRow, databasePath);
}
