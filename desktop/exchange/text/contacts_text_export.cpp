#include "desktop/exchange/text/contacts_text_export.h"

#include <cstdlib>

#include <vector>

#include "common/contacts_backup_file.h"
#include "common/text_mode_file.h"
#include "desktop/exchange/contact_export_rows.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_fields.h"
#include "platform/windows/message_service.h"

namespace {

// The lines of a phone contact after its name line, in the order they are written.
enum class LineKind { kValue, kAddress, kDate, kNotes };

struct ListingLine {
  LineKind kind;
  const char* label;
  const char* column;  // for an address: the prefix of its five columns ("Work", ...)
};

constexpr ListingLine kPhoneLines[] = {
    {LineKind::kValue, "Company:", "Company"},
    {LineKind::kValue, "Department:", "Department"},
    {LineKind::kValue, "Job title:", "Job_Title"},
    {LineKind::kValue, "Work tel:", "Work_Tel"},
    {LineKind::kValue, "Work fax:", "Work_Fax"},
    {LineKind::kAddress, "Work addr:", "Work"},
    {LineKind::kValue, "IM:", "IM"},
    {LineKind::kValue, "E-mail:", "E_Mail"},
    {LineKind::kValue, "Mobile tel:", "Mobile_Phone"},
    {LineKind::kValue, "Web page:", "Web_Page"},
    {LineKind::kValue, "Office loc:", "Office_Loc"},
    {LineKind::kValue, "Home tel:", "Home_Tel"},
    {LineKind::kAddress, "Home addr:", "Home"},
    {LineKind::kAddress, "Other addr:", "Other"},
    {LineKind::kValue, "Pager:", "Pager"},
    {LineKind::kValue, "Car tel:", "Car_Tel"},
    {LineKind::kValue, "Home fax:", "Home_Fax"},
    {LineKind::kValue, "Company tel:", "Company_Tel"},
    {LineKind::kValue, "Work2 tel:", "Work_Tel2"},
    {LineKind::kValue, "Home2 tel:", "Home_Tel2"},
    {LineKind::kValue, "Radio tel:", "Radio_Tel"},
    {LineKind::kValue, "IM2:", "IM2"},
    {LineKind::kValue, "IM3:", "IM3"},
    {LineKind::kValue, "E-mail2:", "E_Mail2"},
    {LineKind::kValue, "E-mail3:", "E_Mail3"},
    {LineKind::kValue, "Assistant:", "Assistant"},
    {LineKind::kValue, "Assistant tel:", "Assistant_Tel"},
    {LineKind::kValue, "Manager:", "Manager"},
    {LineKind::kValue, "Govt.ID:", "Gove_ID"},
    {LineKind::kValue, "Account:", "Account"},
    {LineKind::kValue, "Customer ID:", "Customer_ID"},
    {LineKind::kDate, "Birthday:", "Birthday"},
    {LineKind::kDate, "Anniversary:", "Anniversary"},
    {LineKind::kValue, "Spouse:", "Spouse"},
    {LineKind::kValue, "Children:", "Children"},
    {LineKind::kNotes, "Notes:(As follows)", "Notes"},
};

constexpr int kSeparatorLength = 44;

int ColumnIndex(const QString& name) {
  for (int i = 0; i < kContactColumnCount; ++i) {
    if (name == QLatin1String(kContactColumns[i])) return i;
  }
  return -1;
}

// A line of the listing with its columns found once: one column, or the street, city, state,
// zip and country of an address.
struct ResolvedLine {
  LineKind kind;
  QString label;
  std::vector<int> columns;
};

const std::vector<ResolvedLine>& PhoneLines() {
  static const std::vector<ResolvedLine> lines = [] {
    std::vector<ResolvedLine> resolved;
    for (const ListingLine& line : kPhoneLines) {
      ResolvedLine entry{line.kind, QString::fromLatin1(line.label), {}};
      QString column = QString::fromLatin1(line.column);
      if (line.kind == LineKind::kAddress) {
        for (const char* part : {"_Street", "_City", "_State", "_Zip", "_Country"}) {
          entry.columns.push_back(ColumnIndex(column + QLatin1String(part)));
        }
      } else {
        entry.columns.push_back(ColumnIndex(column));
      }
      resolved.push_back(entry);
    }
    return resolved;
  }();
  return lines;
}

// "Name:" with the first, middle and last names, the nickname in double quotation marks and
// the suffix; nothing when all five are empty.
QString NameLine(const SqlStatement& row) {
  QString first = row.ColumnText(kColumnFirstName), middle = row.ColumnText(kColumnMiddleName),
          last = row.ColumnText(kColumnLastName);
  static const int kNickName = ColumnIndex(QStringLiteral("Nick_Name"));
  static const int kSuffix = ColumnIndex(QStringLiteral("Suffix"));
  QString nick = row.ColumnText(kNickName), suffix = row.ColumnText(kSuffix);
  QString name;
  for (const QString& part : {first, middle, last}) {
    if (!part.isEmpty()) name += (name.isEmpty() ? QString() : QStringLiteral(" ")) + part;
  }
  bool hasName = !first.isEmpty() || !middle.isEmpty() || !last.isEmpty();
  if (!hasName && nick.isEmpty() && suffix.isEmpty()) return QString();
  QString line = QStringLiteral("Name:") + name.trimmed();
  if (!nick.isEmpty()) {
    line += (hasName ? QStringLiteral(" \"") : QStringLiteral("\"")) + nick + '"';
  }
  if (!suffix.isEmpty()) {
    line += (hasName || !nick.isEmpty() ? QStringLiteral(" ") : QString()) + suffix;
  }
  return line + '\n';
}

// Up to three lines: the street, "city  state  zip", the country; the first starts with the
// label, the others with as many blanks as the label has characters.
QString AddressLines(const SqlStatement& row, const ResolvedLine& line) {
  QString street = row.ColumnText(line.columns[0]), city = row.ColumnText(line.columns[1]),
          state = row.ColumnText(line.columns[2]), zip = row.ColumnText(line.columns[3]),
          country = row.ColumnText(line.columns[4]);
  QString lines;
  auto put = [&](const QString& text) {
    lines += (lines.isEmpty() ? line.label : QString(line.label.size(), ' ')) + text + '\n';
  };
  if (!street.isEmpty()) put(street);
  QString place;
  if (!city.isEmpty()) place += city + QStringLiteral("  ");
  if (!state.isEmpty()) place += state + QStringLiteral("  ");
  place = (place + zip).trimmed();
  if (!place.isEmpty()) put(place);
  if (!country.isEmpty()) put(country);
  return lines;
}

// A stored date "year-month-day" as month/day/year.
QString DateText(const QByteArray& stored) {
  DateTextNumbers date = ReadDateText(stored);
  return QStringLiteral("%1/%2/%3").arg(std::abs(date.month)).arg(date.day).arg(date.year);
}

QString PhoneBlock(const SqlStatement& row) {
  QString block = NameLine(row);
  for (const ResolvedLine& line : PhoneLines()) {
    if (line.kind == LineKind::kAddress) {
      block += AddressLines(row, line);
      continue;
    }
    QString value = row.ColumnText(line.columns[0]);
    if (value.isEmpty()) continue;
    switch (line.kind) {
      case LineKind::kDate:
        block += line.label + DateText(row.ColumnBytes(line.columns[0])) + '\n';
        break;
      case LineKind::kNotes:
        block += line.label + '\n' + value + '\n';
        break;
      default:
        block += line.label + value + '\n';
    }
  }
  return block;
}

QString SimBlock(const SqlStatement& row) {
  return QStringLiteral("SIM_Name:") + row.ColumnText(kColumnSimName) +
         QStringLiteral("\nSIM_Mobile tel:") + row.ColumnText(kColumnMobilePhone) + '\n';
}

QString ContactBlock(const SqlStatement& row) {
  QString block =
      row.ColumnInt(kColumnContactType) == kSimContact ? SimBlock(row) : PhoneBlock(row);
  block += QString(kSeparatorLength, '-') + '\n';
  // Values typed on the desktop hold CR LF line ends; in memory a text file's line ends are
  // LF, which the writer turns into CR LF on disk.
  return block.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

bool ExportContactsText(const QString& textPath, const QString& databasePath,
                        ProgressSink* progress) {
  ContactExportRows rows(databasePath);
  if (!rows.Open()) return false;
  // A writer that is not committed drops its temporary file: a failed export leaves nothing.
  TextModeWriter writer;
  if (!writer.Open(textPath)) {
    ShowTips(kIconError, QStringLiteral("Can't create export file!"));
    return false;
  }
  ProgressScope bar(progress, rows.Count());
  qint64 number = 0;
  while (rows.Next()) {
    bar.SetPosition(++number);
    if (!writer.Write(ContactBlock(rows.Row()))) break;
  }
  if (rows.Fault() != DatabaseFault::kNone) {
    ShowTips(kIconError, DatabaseFaultText(rows.Fault()));
    return false;
  }
  if (!writer.Commit()) {
    ShowTips(kIconError, QStringLiteral("Can't write export file!"));
    return false;
  }
  ShowTips(kIconSuccess, QStringLiteral("Contacts exported complete!"));
  return true;
}
