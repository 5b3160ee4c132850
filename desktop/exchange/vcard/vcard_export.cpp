#include "desktop/exchange/vcard/vcard_export.h"

#include <QStringList>

#include <algorithm>

#include "common/text_mode_file.h"
#include "desktop/exchange/contact_export_rows.h"
#include "desktop/exchange/vcard/vcard_fields.h"
#include "desktop/exchange/vcard/vcard_text.h"
#include "desktop/store/contact_database.h"

namespace {

ContactRecord RecordOf(const SqlStatement& row) {
  ContactRecord record;
  for (const ContactField& field : kContactFields) {
    record.*field.member = row.ColumnText(field.columnIndex);
  }
  return record;
}

QString NameLines(const ContactRecord& contact) {
  QString title = EscapedVCardText(contact.title);
  QString first = EscapedVCardText(contact.firstName);
  QString middle = EscapedVCardText(contact.middleName);
  QString last = EscapedVCardText(contact.lastName);
  QString suffix = EscapedVCardText(contact.suffix);
  QString fullName;
  for (const QString& part : {title, first, middle, last}) {
    if (!part.isEmpty()) fullName += part + QLatin1Char(' ');
  }
  return QStringLiteral("FN:") + fullName + suffix + QStringLiteral("\nN:") +
         QStringList{last, first, middle, title, suffix}.join(QLatin1Char(';')) + QLatin1Char('\n');
}

// The "ADR" lines of the address kinds that have any part.
QString AddressLines(const ContactRecord& contact) {
  QString lines;
  for (const VCardAddress& kind : kVCardAddresses) {
    auto filled = [&](RecordField field) { return !(contact.*field).isEmpty(); };
    if (std::none_of(kind.fields.begin(), kind.fields.end(), filled)) continue;
    QStringList parts;
    for (RecordField field : kind.fields) parts << EscapedVCardText(contact.*field);
    lines += QLatin1String(kind.property) + QLatin1String(":;;") + parts.join(QLatin1Char(';')) +
             QLatin1Char('\n');
  }
  return lines;
}

// The lines of the fields of kVCardFields that have a value. The note's lines are collected in
// `noteLines` instead, each after a line break.
QString FieldLines(const ContactRecord& contact, QString* noteLines) {
  QString lines;
  int item = 1;
  for (const VCardField& entry : kVCardFields) {
    QString value = contact.*entry.field;
    if (value.isEmpty()) continue;
    if (IsVCardDateField(entry.field)) value = VCardDate(value);
    QLatin1String name(entry.name);
    switch (entry.form) {
      case VCardForm::kProperty:
        lines += name;
        lines += QLatin1Char(':');
        lines += EscapedVCardText(value);
        lines += QLatin1Char('\n');
        break;
      case VCardForm::kItem: {
        QString group = QStringLiteral("item") + QString::number(item++) + QLatin1Char('.');
        lines += group + name + QLatin1Char(':') + EscapedVCardText(value) + QLatin1Char('\n') +
                 group + QLatin1String("X-ABLabel:") + QLatin1String(entry.label) +
                 QLatin1Char('\n');
        break;
      }
      case VCardForm::kNoteLine:
        *noteLines += QLatin1Char('\n') + name + QLatin1Char(':') + value;
        break;
    }
  }
  return lines;
}

// The contact's notes and then the note's lines, in one "NOTE" line; nothing when both are empty.
QString NoteLine(const QString& notes, const QString& noteLines) {
  QString note = notes.isEmpty() ? noteLines : notes + QLatin1Char('\n') + noteLines;
  if (note.isEmpty()) return QString();
  return QStringLiteral("NOTE:") + EscapedVCardText(note) + QLatin1Char('\n');
}

QString Card(const ContactRecord& contact) {
  QString noteLines;
  QString card = QStringLiteral("BEGIN:VCARD\nVERSION:3.0\n");
  card += NameLines(contact);  // a piece at a time: a sum would copy the card at every step
  card += FieldLines(contact, &noteLines);
  card += AddressLines(contact);
  card += NoteLine(contact.notes, noteLines);
  card += QLatin1String("END:VCARD\n");
  return card;
}

}  // namespace

ExportOutcome WriteVCardFile(const QString& path, const QString& databasePath) {
  ContactExportRows rows(databasePath);
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  if (rows.Count() == 0) return {ExportResult::kNoRecords};
  // A writer that is not committed drops its temporary file: a failed export leaves nothing.
  // UTF-8, what other address books read; the import reads it back as UTF-8 (see
  // text_encoding.h), so nothing is lost either way.
  TextModeWriter file(TextEncoding::kUtf8);
  if (!file.Open(path)) return {ExportResult::kCannotCreate};
  bool written = true;
  while (written && rows.Next()) written = file.Write(Card(RecordOf(rows.Row())));
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  if (!written || !file.Commit()) return {ExportResult::kCannotWrite};
  return {ExportResult::kWritten};
}
