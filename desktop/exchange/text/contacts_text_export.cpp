#include "desktop/exchange/text/contacts_text_export.h"

#include <cstdlib>

#include <vector>

#include "common/contacts_backup_file.h"
#include "common/contacts_listing.h"
#include "common/text_mode_file.h"
#include "desktop/exchange/contact_export_rows.h"
#include "desktop/store/contact_fields.h"

namespace {

constexpr int kSeparatorLength = 44;

// A line of the listing with its label as text and its columns: one column, or the street,
// city, state, zip and country of an address.
struct ResolvedLine {
  ListingLineKind kind;
  QString label;
  std::vector<int> columns;
};

const std::vector<ResolvedLine>& PhoneLines() {
  static const std::vector<ResolvedLine> lines = [] {
    std::vector<ResolvedLine> resolved;
    for (const ListingLine& line : kListingLines) {
      ResolvedLine entry{line.kind, QString::fromLatin1(line.label), {}};
      if (line.kind == ListingLineKind::kAddress) {
        std::array<int, 5> parts = AddressColumns(line.field);
        entry.columns.assign(parts.begin(), parts.end());
      } else {
        entry.columns = {ColumnOf(line.field)};
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
  QString nick = row.ColumnText(ColumnOf(ContactFieldId::kNickName)),
          suffix = row.ColumnText(ColumnOf(ContactFieldId::kSuffix));
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
    if (line.kind == ListingLineKind::kAddress) {
      block += AddressLines(row, line);
      continue;
    }
    QString value = row.ColumnText(line.columns[0]);
    if (value.isEmpty()) continue;
    switch (line.kind) {
      case ListingLineKind::kDate:
        block += line.label + DateText(row.ColumnBytes(line.columns[0])) + '\n';
        break;
      case ListingLineKind::kNotesLine:
        // Here the notes start on a line of their own, which their heading announces.
        block += line.label + QStringLiteral("(As follows)\n") + value + '\n';
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

ExportOutcome ExportContactsText(const QString& textPath, const QString& databasePath,
                                 ProgressSink* progress) {
  ContactExportRows rows(databasePath);
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  // A writer that is not committed drops its temporary file: a failed export leaves nothing.
  TextModeWriter writer;
  if (!writer.Open(textPath)) return {ExportResult::kCannotCreate};
  ProgressMeter bar(progress, rows.Count());
  qint64 number = 0;
  while (rows.Next()) {
    bar.SetPosition(++number);
    if (!writer.Write(ContactBlock(rows.Row()))) break;
  }
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  if (!writer.Commit()) return {ExportResult::kCannotWrite};
  return {ExportResult::kWritten};
}
