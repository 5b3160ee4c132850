#include "desktop/exchange/vcard/vcard_export.h"

#include <QStringList>

#include <vector>

#include "common/text_mode_file.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/contact_fields.h"

namespace {

constexpr char kRowsQuery[] = "select * from Contact_Table order by ContactType asc";

enum class VCardAction {
  kLine,   // a property line: the text, then the value
  kPair,   // a grouped line "item<n>" + text + value, then its "item<n>.X-ABLabel:" label line
  kNote,   // the text and the value appended to the note
  kNotes,  // the value put before the note
};

struct VCardColumn {
  const char* column;
  VCardAction action;
  const char* text;
  const char* label = nullptr;
};

// What the columns after the names become, in the table's column order. The addresses are
// written after them, and Categories, Ring_Tone and Picture not at all.
const VCardColumn kVCardColumns[] = {
    {"Nick_Name", VCardAction::kLine, "NICKNAME:"},
    {"Company", VCardAction::kLine, "ORG:"},
    {"Department", VCardAction::kNote, "\nDepartment:"},
    {"Job_Title", VCardAction::kLine, "TITLE:"},
    {"File_As", VCardAction::kNote, "\nFile As:"},
    {"Mobile_Phone", VCardAction::kLine, "TEL;TYPE=CELL:"},
    {"Web_Page", VCardAction::kLine, "URL:"},
    {"E_Mail", VCardAction::kLine, "EMAIL;TYPE=INTERNET:"},
    {"Pager", VCardAction::kLine, "TEL;TYPE=PAGER:"},
    {"Company_Tel", VCardAction::kPair, ".TEL:", "COMPANY_MAIN"},
    {"Work_Tel", VCardAction::kLine, "TEL;TYPE=WORK:"},
    {"Work_Tel2", VCardAction::kLine, "TEL;TYPE=WORK:"},
    {"Work_Fax", VCardAction::kLine, "TEL;TYPE=WORK;TYPE=FAX:"},
    {"Car_Tel", VCardAction::kLine, "TEL;TYPE=CAR:"},
    {"Home_Tel", VCardAction::kLine, "TEL;TYPE=HOME:"},
    {"Home_Tel2", VCardAction::kLine, "TEL;TYPE=HOME:"},
    {"Home_Fax", VCardAction::kLine, "TEL;TYPE=HOME;TYPE=FAX:"},
    {"Spouse", VCardAction::kPair, ".X-ABRELATEDNAMES:", "_$!<Spouse>!$_"},
    {"Children", VCardAction::kPair, ".X-ABRELATEDNAMES:", "_$!<Child>!$_"},
    {"IM", VCardAction::kLine, "X-MSN:"},
    {"IM2", VCardAction::kLine, "X-MSN:"},
    {"IM3", VCardAction::kLine, "X-MSN:"},
    {"E_Mail2", VCardAction::kLine, "EMAIL;TYPE=INTERNET:"},
    {"E_Mail3", VCardAction::kLine, "EMAIL;TYPE=INTERNET:"},
    {"Radio_Tel", VCardAction::kPair, ".TEL:", "RADIO"},
    {"Office_Loc", VCardAction::kNote, "\nOffice Loc:"},
    {"Assistant", VCardAction::kPair, ".X-ABRELATEDNAMES:", "_$!<Assistant>!$_"},
    {"Assistant_Tel", VCardAction::kPair, ".TEL:", "ASSISTANT"},
    {"Manager", VCardAction::kPair, ".X-ABRELATEDNAMES:", "_$!<Manager>!$_"},
    {"Customer_ID", VCardAction::kNote, "\nCustomer's ID:"},
    {"Account", VCardAction::kNote, "\nAccount:"},
    {"Gove_ID", VCardAction::kNote, "\nGove.ID:"},
    {"Birthday", VCardAction::kLine, "BDAY:"},
    {"Anniversary", VCardAction::kPair, ".X-ABDATE:", "_$!<Anniversary>!$_"},
    {"Notes", VCardAction::kNotes, ""},
};

struct ResolvedColumn {
  const VCardColumn* entry;
  int index;
};

const std::vector<ResolvedColumn>& VCardColumns() {
  static const std::vector<ResolvedColumn> columns = [] {
    std::vector<ResolvedColumn> resolved;
    for (const VCardColumn& column : kVCardColumns) {
      resolved.push_back({&column, FindContactColumn(column.column)});
    }
    return resolved;
  }();
  return columns;
}

// The address kinds in the order they are written: the property and the kind's first (street)
// column, followed by its city, state, zip and country.
struct AddressKind {
  const char* property;
  int streetColumn;
};

const std::vector<AddressKind>& AddressKinds() {
  static const std::vector<AddressKind> kinds = {
      {"ADR;TYPE=WORK:;;", FindContactColumn("Work_Street")},
      {"ADR;TYPE=HOME:;;", FindContactColumn("Home_Street")},
      {"ADR;TYPE=OTHER:;;", FindContactColumn("Other_Street")},
  };
  return kinds;
}

constexpr int kAddressParts = 5;  // street, city, state, zip, country

// A value made safe for a property line: a backslash before each double quotation mark and
// comma, CRs dropped and each LF written as a backslash and "n", so that no value can end its
// line early and start a property or a card of its own.
QString Escaped(QString value) {
  value.remove(QLatin1Char('\r'));
  value.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  value.replace(QLatin1Char('"'), QLatin1String("\\\""));
  value.replace(QLatin1Char(','), QLatin1String("\\,"));
  return value;
}

// A component of the name or of an address, where a semicolon separates the components: a
// semicolon or a backslash inside the value gets a backslash before it, so that the card keeps
// its component count.
QString EscapedComponent(QString value) {
  value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  value.replace(QLatin1Char(';'), QLatin1String("\\;"));
  return Escaped(value);
}

QString NameLines(const SqlStatement& row) {
  QString title = EscapedComponent(row.ColumnText(kColumnTitle));
  QString first = EscapedComponent(row.ColumnText(kColumnFirstName));
  QString middle = EscapedComponent(row.ColumnText(kColumnMiddleName));
  QString last = EscapedComponent(row.ColumnText(kColumnLastName));
  static const int kSuffix = FindContactColumn("Suffix");
  QString suffix = EscapedComponent(row.ColumnText(kSuffix));
  QString fullName;
  for (const QString& part : {title, first, middle, last}) {
    if (!part.isEmpty()) fullName += part + QLatin1Char(' ');
  }
  return QStringLiteral("FN:") + fullName + suffix + QStringLiteral("\nN:") +
         QStringList{last, first, middle, title, suffix}.join(QLatin1Char(';')) + QLatin1Char('\n');
}

// The "ADR" lines of the address kinds that have any part.
QString AddressLines(const SqlStatement& row) {
  QString lines;
  for (const AddressKind& kind : AddressKinds()) {
    QStringList parts;
    bool any = false;
    for (int part = 0; part < kAddressParts; ++part) {
      parts << EscapedComponent(row.ColumnText(kind.streetColumn + part));
      any = any || !parts.back().isEmpty();
    }
    if (any) {
      lines += QLatin1String(kind.property) + parts.join(QLatin1Char(';')) + QLatin1Char('\n');
    }
  }
  return lines;
}

QString Card(const SqlStatement& row) {
  QString card = QStringLiteral("BEGIN:VCARD\nVERSION:3.0\n") + NameLines(row);
  QString note;
  int item = 1;
  for (const ResolvedColumn& column : VCardColumns()) {
    QString value = row.ColumnText(column.index);
    if (value.isEmpty()) continue;
    value = Escaped(value);
    const VCardColumn& entry = *column.entry;
    switch (entry.action) {
      case VCardAction::kLine:
        card += QLatin1String(entry.text) + value + QLatin1Char('\n');
        break;
      case VCardAction::kPair: {
        QString group = QStringLiteral("item") + QString::number(item++);
        card += group + QLatin1String(entry.text) + value + QLatin1Char('\n') + group +
                QStringLiteral(".X-ABLabel:") + QLatin1String(entry.label) + QLatin1Char('\n');
        break;
      }
      case VCardAction::kNote:
        note += QLatin1String(entry.text) + value;
        break;
      case VCardAction::kNotes:
        note = value + QLatin1Char('\n') + note;
        break;
    }
  }
  card += AddressLines(row);
  if (!note.isEmpty()) {
    note.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    card += QStringLiteral("NOTE:") + note + QLatin1Char('\n');
  }
  return card + QStringLiteral("END:VCARD\n");
}

}  // namespace

int WriteVCardFile(const QString& path, const QString& databasePath) {
  if (!HasContactRecords(databasePath)) return 0;
  DatabaseConnection db(databasePath);
  SqlStatement rows(db, QString::fromLatin1(kRowsQuery));
  // A writer that is not committed drops its temporary file: a failed export leaves nothing.
  TextModeWriter file;
  if (!rows.IsValid() || !file.Open(path)) return 0;
  bool written = true;
  int rc = SQLITE_DONE;
  while (written && (rc = rows.Step()) == SQLITE_ROW) written = file.Write(Card(rows));
  if (!written || rc != SQLITE_DONE) return 0;
  return file.Commit() ? 1 : 0;
}
