#include "desktop/exchange/csv/csv_export.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "common/text_mode_file.h"
#include "desktop/exchange/contact_export_rows.h"
#include "desktop/store/contact_database.h"

namespace {

ColumnConfigFile MakeColumns(const std::array<const char*, kContactFieldCount>& names) {
  ColumnConfigFile layout;
  for (int i = 0; i < kContactFieldCount; ++i) layout.names[i] = QString::fromLatin1(names[i]);
  return layout;
}

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
  kColumn,         // the text of a column
  kLabel,          // a fixed type label
  kAddressType,    // the label for a phone contact, empty otherwise
  kAddressFormat,  // the address group starting at the column, for a phone contact
};

struct GoogleColumn {
  const char* header;
  GoogleValue kind;
  const char* source;  // a column name, or the label
};

constexpr GoogleColumn Col(const char* header, const char* column) {
  return {header, GoogleValue::kColumn, column};
}
constexpr GoogleColumn Label(const char* header, const char* label) {
  return {header, GoogleValue::kLabel, label};
}

constexpr GoogleColumn kGoogleColumns[] = {
    Col("Name Prefix", "Title"),
    Col("Given Name", "First_Name"),
    Col("Additional Name", "Middle_Name"),
    Col("Family Name", "Last_Name"),
    Col("Name Suffix", "Suffix"),
    Col("Nickname", "Nick_Name"),
    Col("Organization 1 - Name", "Company"),
    Label("Custom Field 4 - Type", "Department"),
    Col("Custom Field 4 - Value", "Department"),
    Col("Organization 1 - Title", "Job_Title"),
    {"Address 1 - Type", GoogleValue::kAddressType, "Work"},
    {"Address 1 - Formatted", GoogleValue::kAddressFormat, "Work_Street"},
    {"Address 2 - Type", GoogleValue::kAddressType, "Home"},
    {"Address 2 - Formatted", GoogleValue::kAddressFormat, "Home_Street"},
    {"Address 3 - Type", GoogleValue::kAddressType, "Other"},
    {"Address 3 - Formatted", GoogleValue::kAddressFormat, "Other_Street"},
    Label("Phone 1 - Type", "Main"),
    Col("Phone 1 - Value", "Mobile_Phone"),
    Col("Website 1 - Value", "Web_Page"),
    Col("E-mail 1 - Value", "E_Mail"),
    Label("Phone 2 - Type", "Pager"),
    Col("Phone 2 - Value", "Pager"),
    Label("Phone 3 - Type", "Company Main"),
    Col("Phone 3 - Value", "Company_Tel"),
    Label("Phone 4 - Type", "Work"),
    Col("Phone 4 - Value", "Work_Tel"),
    Label("Phone 5 - Type", "Work"),
    Col("Phone 5 - Value", "Work_Tel2"),
    Label("Phone 6 - Type", "Work Fax"),
    Col("Phone 6 - Value", "Work_Fax"),
    Label("Phone 7 - Type", "Car"),
    Col("Phone 7 - Value", "Car_Tel"),
    Label("Phone 8 - Type", "Home"),
    Col("Phone 8 - Value", "Home_Tel"),
    Label("Phone 9 - Type", "Home"),
    Col("Phone 9 - Value", "Home_Tel2"),
    Label("Phone 10 - Type", "Home Fax"),
    Col("Phone 10 - Value", "Home_Fax"),
    Label("Relation 4 - Type", "Spouse"),
    Col("Relation 4 - Value", "Spouse"),
    Label("Relation 3 - Type", "Child"),
    Col("Relation 3 - Value", "Children"),
    Col("IM 1 - Value", "IM"),
    Col("IM 2 - Value", "IM2"),
    Col("IM 3 - Value", "IM3"),
    Col("E-mail 2 - Value", "E_Mail2"),
    Col("E-mail 3 - Value", "E_Mail3"),
    Label("Phone 11 - Type", "Radio"),
    Col("Phone 11 - Value", "Radio_Tel"),
    Label("Custom Field 1 - Type", "Office Loc"),
    Col("Custom Field 1 - Value", "Office_Loc"),
    Label("Relation 2 - Type", "Assistant"),
    Col("Relation 2 - Value", "Assistant"),
    Label("Phone 12 - Type", "Assistant"),
    Col("Phone 12 - Value", "Assistant_Tel"),
    Label("Relation 1 - Type", "Manager"),
    Col("Relation 1 - Value", "Manager"),
    Label("Custom Field 2 - Type", "Customer's ID"),
    Col("Custom Field 2 - Value", "Customer_ID"),
    Label("Custom Field 5 - Type", "Account"),
    Col("Custom Field 5 - Value", "Account"),
    Label("Custom Field 3 - Type", "Gove.ID"),
    Col("Custom Field 3 - Value", "Gove_ID"),
    Col("Birthday", "Birthday"),
    Label("Event 1 - Type", "Anniversary"),
    Col("Event 1 - Value", "Anniversary"),
    Col("Notes", "Notes"),
};

// A Google column with its label or column position looked up once.
struct ResolvedGoogleColumn {
  GoogleValue kind;
  QString label;
  int column;
};

const std::vector<ResolvedGoogleColumn>& GoogleColumns() {
  static const std::vector<ResolvedGoogleColumn> columns = [] {
    std::vector<ResolvedGoogleColumn> resolved;
    for (const GoogleColumn& column : kGoogleColumns) {
      bool named =
          column.kind == GoogleValue::kColumn || column.kind == GoogleValue::kAddressFormat;
      resolved.push_back({column.kind, named ? QString() : QString::fromLatin1(column.source),
                          named ? FindContactColumn(column.source) : -1});
    }
    return resolved;
  }();
  return columns;
}

// Street, city, state, zip and country, each followed by a blank when present, with a comma
// after the city once there is any text: "12 Oak Rd Leeds ,LS1 UK ".
QString FormattedAddress(const SqlStatement& row, int streetColumn) {
  QString text;
  for (int part = 0; part < 5; ++part) {
    QString value = row.ColumnText(streetColumn + part);
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
        line.Add(row.ColumnText(column.column));
        break;
      case GoogleValue::kLabel:
        line.Add(column.label);
        break;
      case GoogleValue::kAddressType:
        line.Add(phoneContact ? column.label : QString());
        break;
      case GoogleValue::kAddressFormat:
        line.Add(phoneContact ? FormattedAddress(row, column.column) : QString());
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
  static const ColumnConfigFile columns = MakeColumns({
      "First Name",   "Middle Name", "Last Name",   "Title",      "Suffix",        "Nickname",
      "Company",      "Department",  "Job Title",   "File As",    "Mobile Phone",  "Web Page",
      "Email",        "Pager",       "Work Street", "Work City",  "Work State",    "Work Zip",
      "Work Country", "Home Street", "Home City",   "Home State", "Home Zip",      "Home Country",
      "Other Street", "Other City",  "Other State", "Other Zip",  "Other Country", "Company Tel",
      "Work Tel",     "Work2 Tel",   "Work Fax",    "Car Tel",    "Home Tel",      "Home2 Tel",
      "Home Fax",     "Spouse",      "Children",    "IM",         "IM2",           "IM3",
      "Email2",       "Email3",      "Radio Tel",   "Office Loc", "Assistant",     "Assistant Tel",
      "Manager",      "Customer ID", "Account",     "Gove ID",    "Birthday",      "Anniversary",
      "Notes",
  });
  return columns;
}

const ColumnConfigFile& OutlookCsvColumns() {
  static const ColumnConfigFile columns = MakeColumns({
      "First Name",
      "Middle Name",
      "Last Name",
      "Title",
      "Suffix",
      "Nickname",
      "Company",
      "Department",
      "Job Title",
      "File As",
      "Mobile Phone",
      "Web Page",
      "E-mail Address",
      "Pager",
      "Business Street",
      "Business City",
      "Business State",
      "Business Postal Code",
      "Business Country/Region",
      "Home Street",
      "Home City",
      "Home State",
      "Home Postal Code",
      "Home Country/Region",
      "Other Street",
      "Other City",
      "Other State",
      "Other Postal Code",
      "Other Country/Region",
      "Company Main Phone",
      "Business Phone",
      "Business Phone 2",
      "Business Fax",
      "Car Phone",
      "Home Phone",
      "Home Phone 2",
      "Home Fax",
      "Spouse",
      "Children",
      "IM",
      "IM2",
      "IM3",
      "E-mail 2 Address",
      "E-mail 3 Address",
      "Radio Phone",
      "Office Location",
      "Assistant's Name",
      "Assistant's Phone",
      "Manager's Name",
      "Customer ID",
      "Account",
      "Government ID Number",
      "Birthday",
      "Anniversary",
      "Notes",
  });
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
