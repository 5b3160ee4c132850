#include "desktop/ui/contact_form.h"

#include <QDir>
#include <QRegularExpression>

#include "desktop/store/contact_row_statement.h"

namespace {

constexpr char kSoundsFolder[] = "\\Application Data\\Sounds\\";

// The columns of the values that a phone contact's insert and update write from the dialog's
// fields, in table order. File_As (the composed name), Ring_Tone and Picture are written apart.
constexpr std::array<int, kContactValueCount - 3> kWrittenColumns = [] {
  std::array<int, kContactValueCount - 3> columns{};
  size_t written = 0;
  for (int column = 0; column < kContactColumnCount; ++column) {
    if (column == kColumnFileAs || column == kColumnRingTone || column == kColumnPicture ||
        kContactTable[column].own) {
      continue;
    }
    columns.at(written++) = column;
  }
  return columns;
}();
// The other columns a phone contact's save writes from its values.
constexpr std::array<int, 3> kNameAndRingToneColumns = {kColumnFileAs, kColumnSimName,
                                                        kColumnRingTone};

constexpr const char* kPictureColumn = ColumnNameOf(ContactFieldId::kPicture);

// The columns a phone contact's save writes: those from its values, ContactType, then `more`.
std::vector<const char*> PhoneColumns(std::initializer_list<const char*> more) {
  std::vector<const char*> columns;
  for (int column : kWrittenColumns) columns.push_back(kContactColumns[column]);
  for (int column : kNameAndRingToneColumns) columns.push_back(kContactColumns[column]);
  columns.push_back("ContactType");
  columns.insert(columns.end(), more);
  return columns;
}

// Sets the values of PhoneColumns() up to ContactType, that included; returns the position
// after it.
int SetPhoneValues(ContactRowStatement& row, const ContactTexts& values) {
  int position = 0;
  for (int column : kWrittenColumns) row.SetText(position++, values[column]);
  for (int column : kNameAndRingToneColumns) row.SetText(position++, values[column]);
  row.SetInteger(position++, kPhoneContact);
  return position;
}

// A SIM contact's save writes its name into two columns, then its number and its type.
void SetSimValues(ContactRowStatement& row, const QString& simName, const QString& mobile) {
  row.SetText(0, simName);
  row.SetText(1, simName);
  row.SetText(2, mobile);
  row.SetInteger(3, kSimContact);
}

StoreResult Outcome(DatabaseConnection& db, bool ran, bool mustChangeRow) {
  if (!ran) return {false, db.ErrorText()};
  if (mustChangeRow && sqlite3_changes(db.Handle()) == 0) return {false, QString()};
  return {true, QString()};
}

bool Exists(SqlStatement& count) { return count.Step() == SQLITE_ROW && count.ColumnInt64(0) > 0; }

}  // namespace

QString ComposeContactName(const QString& first, const QString& middle, const QString& last) {
  QString name = !last.isEmpty() && !first.isEmpty() ? last + QLatin1Char(',') + first
                 : last.isEmpty()                    ? first
                                                     : last;
  if (!middle.isEmpty()) name += QLatin1Char(' ') + middle;
  return name;
}

std::optional<QDate> ParseStoredDate(const QString& text) {
  static const QRegularExpression kDate(
      QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})(\\D|$)"));
  QRegularExpressionMatch match = kDate.match(text);
  if (!match.hasMatch()) return std::nullopt;
  QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

QString FormatStoredDate(const QDate& date) {
  return QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QStringList RingToneFiles(const QString& folder) {
  QDir dir(folder);
  QStringList names;
  for (const char* pattern : {"*.wma", "*.wav", "*.mp3"}) {
    names << dir.entryList({QString::fromLatin1(pattern)}, QDir::Files, QDir::Name);
  }
  return names;
}

int FindRingToneEntry(const QStringList& entries, const QString& storedRingTone) {
  QString name = storedRingTone.mid(storedRingTone.lastIndexOf(QLatin1Char('\\')) + 1);
  if (name.isEmpty()) return -1;
  for (qsizetype i = kFirstRingToneFile; i < entries.size(); ++i) {
    if (entries[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  }
  return -1;
}

QString RingTonePhonePath(const QString& fileName) {
  return fileName.isEmpty() ? QString() : QString::fromLatin1(kSoundsFolder) + fileName;
}

std::optional<qint64> ParseRecordId(const QString& text) {
  bool ok = false;
  qint64 id = text.trimmed().toLongLong(&ok);
  return ok ? std::optional<qint64>(id) : std::nullopt;
}

QString LoadContactStatement(qint64 id) {
  return QStringLiteral("select * from Contact_Table where ID = %1").arg(id);
}

bool HasPhoneContactNamed(DatabaseConnection& db, const QString& first, const QString& middle,
                          const QString& last) {
  SqlStatement count(db, QStringLiteral("select count(*) from Contact_Table where First_Name=? "
                                        "and Middle_Name=? and Last_Name=?"));
  count.BindText(1, first);
  count.BindText(2, middle);
  count.BindText(3, last);
  return Exists(count);
}

bool HasSimContactNamed(DatabaseConnection& db, const QString& simName) {
  SqlStatement count(db, QStringLiteral("select count(*) from Contact_Table where SIM_Name=?"));
  count.BindText(1, simName);
  return Exists(count);
}

bool IsSuccessOutcome(int code) {
  return code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE;
}

StoreResult InsertSimContact(DatabaseConnection& db, const QString& simName,
                             const QString& mobile) {
  constexpr std::array<const char*, 4> kColumns = {
      ColumnNameOf(ContactFieldId::kFirstName), "SIM_Name",
      ColumnNameOf(ContactFieldId::kMobilePhone), "ContactType"};
  ContactRowInsert insert(db, kColumns);
  SetSimValues(insert, simName, mobile);
  return Outcome(db, insert.Insert(), false);
}

StoreResult InsertPhoneContact(DatabaseConnection& db, const ContactTexts& values,
                               const QByteArray* picture) {
  ContactRowInsert insert(
      db, picture != nullptr ? PhoneColumns({kPictureColumn, "hasPic"}) : PhoneColumns({}));
  int position = SetPhoneValues(insert, values);
  if (picture != nullptr) {
    insert.SetBlob(position++, *picture);
    insert.SetInteger(position, 1);
  }
  return Outcome(db, insert.Insert(), false);
}

StoreResult UpdateSimContact(DatabaseConnection& db, qint64 id, const QString& simName,
                             const QString& mobile) {
  constexpr std::array<const char*, 4> kColumns = {
      "SIM_Name", ColumnNameOf(ContactFieldId::kFileAs), ColumnNameOf(ContactFieldId::kMobilePhone),
      "ContactType"};
  ContactRowUpdate update(db, kColumns);
  SetSimValues(update, simName, mobile);
  return Outcome(db, update.Update(id), true);
}

// A kept picture keeps its blob; a removed one leaves empty text in its place.
StoreResult UpdatePhoneContact(DatabaseConnection& db, qint64 id, const ContactTexts& values,
                               PictureChange change, const QByteArray* picture) {
  ContactRowUpdate update(db, change == PictureChange::kKeep
                                  ? PhoneColumns({"hasPic"})
                                  : PhoneColumns({"hasPic", kPictureColumn}));
  int position = SetPhoneValues(update, values);
  update.SetInteger(position++, change == PictureChange::kRemove ? 0 : 1);
  if (change == PictureChange::kReplace) update.SetBlob(position, *picture);
  if (change == PictureChange::kRemove) update.SetAnsiText(position, {});
  return Outcome(db, update.Update(id), true);
}
