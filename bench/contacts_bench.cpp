// Runs the program's real contact import and export code on a working folder and prints one line
// per operation: the operation, the number of contacts, the seconds it took, contacts per second
// and the peak resident memory of the process so far. Messages go to standard error and are
// answered at once (no message handler is installed).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/contacts_backup_file.h"
#include "desktop/exchange/backup/contacts_backup_export.h"
#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/exchange/csv/csv_export.h"
#include "desktop/exchange/csv/csv_import.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "desktop/exchange/text/contacts_text_export.h"
#include "desktop/exchange/vcard/vcard_export.h"
#include "desktop/exchange/vcard/vcard_import.h"
#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/result_query.h"

namespace {

// ---- Sample contacts ----------------------------------------------------------------------

const char* const kGivenNames[] = {"John", "Mary",  "Wei",  "Li",    "Anna",  "Peter", "Sofia",
                                   "Ming", "David", "Emma", "Chen",  "Lucas", "Mia",   "Hui",
                                   "Omar", "Lena",  "Jie",  "Paulo", "Yuki",  "Ivan"};
const char* const kFamilyNames[] = {
    "Smith", "Wang",   "Zhang", "Garcia", "Müller", "Li",   "Brown", "Liu",      "Chen", "Rossi",
    "Yang",  "Tanaka", "Novak", "Huang",  "Silva",  "Zhao", "Wu",    "Kowalski", "Zhou", "Martin"};
const char* const kChineseNames[] = {"张伟", "王芳", "李娜", "刘洋",
                                     "陈静", "杨磊", "赵敏", "黄强"};
const char* const kCities[] = {"Springfield", "Beijing", "Shanghai", "Berlin", "Lyon", "Austin"};
constexpr int kRingToneFiles = 8;
constexpr int kRingToneBytes = 40 * 1024;

class ContactGenerator {
 public:
  explicit ContactGenerator(unsigned seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }

  QByteArray Digits(int count) {
    QByteArray digits;
    for (int i = 0; i < count; ++i) digits.append(static_cast<char>('0' + Below(10)));
    return digits;
  }

  QByteArray RandomBytes(int count) {
    QByteArray bytes(count, Qt::Uninitialized);
    for (char& byte : bytes) byte = static_cast<char>(Below(256));
    return bytes;
  }

  static QByteArray RingTonePath(int n) {
    return "\\Application Data\\Sounds\\ring" + QByteArray::number(n) + ".wav";
  }

  // A phone contact as a phone holds them: most have a name and a mobile number, many a
  // company and an e-mail address, some an address, dates, notes, a picture or a ring tone.
  // A few are company-only, without any name.
  PhoneContactBody Phone(int index) {
    PhoneContactBody body;
    auto& items = body.items;
    bool companyOnly = Chance(3);
    if (!companyOnly) {
      bool chinese = Chance(30);
      items[1] = chinese ? WideToAnsi(QString::fromUtf8(kChineseNames[Below(8)]))
                         : QByteArray(kGivenNames[Below(20)]);
      items[3] = WideToAnsi(QString::fromUtf8(kFamilyNames[Below(20)])) + QByteArray::number(index);
      if (Chance(10)) items[2] = QByteArray(1, static_cast<char>('A' + Below(26)));
      if (Chance(5)) items[4] = items[1] + "y";
      items[18] = "13" + Digits(9);
      items[51] = items[3] + ", " + items[1];
    }
    if (companyOnly || Chance(50)) {
      items[6] = "Company " + QByteArray::number(Below(5000));
      items[9] = "010-" + Digits(8);
      items[8] = "Engineer";
    }
    if (Chance(60)) items[17] = "user" + QByteArray::number(index) + "@example.com";
    if (Chance(25)) {
      items[11] = QByteArray::number(1 + Below(999)) + " Main Street";
      items[12] = kCities[Below(6)];
      items[14] = Digits(5);
      items[15] = "China";
    }
    if (Chance(30)) items[21] = "021-" + Digits(8);
    if (Chance(10)) items[53] = "Met at the conference.\r\nCall back in spring.";
    if (Chance(20))
      body.birthday = {1950 + Below(55), static_cast<std::uint16_t>(1 + Below(12)),
                       static_cast<std::uint16_t>(1 + Below(28))};
    if (Chance(5)) body.anniversary = {2000 + Below(20), 6, 1};
    if (Chance(10)) items[kBackupItemRingTone] = RingTonePath(Below(kRingToneFiles));
    if (Chance(5)) body.picture = RandomBytes(3000 + Below(5000));
    return body;
  }

  SimContactBody Sim(int index) {
    return {"SIM " + QByteArray(kGivenNames[Below(20)]) + QByteArray::number(index),
            "139" + Digits(8)};
  }

 private:
  std::mt19937 random_;
};

// ---- Measuring ----------------------------------------------------------------------------

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

// Runs the operation and prints its line; returns its success.
bool Measure(const char* operation, qint64 contacts, const std::function<bool()>& run) {
  auto start = std::chrono::steady_clock::now();
  bool ok = run();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s %lld contacts %.3f s %.0f contacts/s peak-rss %.1f MB%s\n", operation,
              static_cast<long long>(contacts), seconds,
              seconds > 0 ? static_cast<double>(contacts) / seconds : 0.0, PeakRssMegabytes(),
              ok ? "" : " FAILED");
  return ok;
}

QString DatabaseIn(const QString& workDir) { return QDir(workDir).filePath("Contact.cdt"); }

qint64 RecordCountOf(const QString& backupPath) {
  ContactsBackupReader reader(kDesktopDialect);
  std::uint32_t count = 0;
  if (reader.Open(backupPath) != ContactsBackupReader::OpenResult::kOk ||
      !reader.ReadRecordCount(&count)) {
    return 0;
  }
  return count;
}

qint64 RowCountOf(const QString& databasePath) {
  DatabaseConnection db(databasePath);
  return std::max<qint64>(0, db.QueryCount("select count(*) from Contact_Table"));
}

// ---- Commands -----------------------------------------------------------------------------

bool Generate(const QStringList& args) {
  bool isNumber = false;
  int total = args[0].toInt(&isNumber);
  if (!isNumber || total < 0) return false;
  int simContacts = total / 10;
  ContactGenerator generator(20240501);
  ContactsBackupWriter writer;
  bool ok = writer.Create(args[1], static_cast<std::uint32_t>(total));
  for (int i = 0; ok && i < total - simContacts; ++i)
    ok = writer.WritePhoneRecord(generator.Phone(i));
  for (int i = 0; ok && i < simContacts; ++i) ok = writer.WriteSimRecord(generator.Sim(i));
  ok = ok && writer.WriteRingToneCount(kRingToneFiles);
  for (int n = 0; ok && n < kRingToneFiles; ++n) {
    ok = writer.WriteRingTone(
        {ContactGenerator::RingTonePath(n), generator.RandomBytes(kRingToneBytes)});
  }
  ok = ok && writer.Finish();
  std::printf("generate %d contacts (%d SIM) into %s: %s\n", total, simContacts,
              qPrintable(args[1]), ok ? "ok" : "FAILED");
  return ok;
}

// The database of a working folder, made first when there is none.
bool PrepareDatabase(const QString& workDir, QString* database) {
  *database = DatabaseIn(workDir);
  QDir().mkpath(workDir);
  ViewState state;
  return QFileInfo::exists(*database) || InitContactDatabase(state, *database) == 0;
}

bool ImportCbk(const QStringList& args) {
  QString database;
  if (!PrepareDatabase(args[1], &database)) return false;
  return Measure("import-cbk", RecordCountOf(args[0]),
                 [&] { return ImportContactsBackup(args[0], database, nullptr); });
}

// Cards are counted as the import finds them: by their BEGIN lines.
qint64 CardCountOf(const QString& vcardPath) {
  QFile file(vcardPath);
  return file.open(QIODevice::ReadOnly) ? file.readAll().count("BEGIN:VCARD") : 0;
}

bool ImportVcf(const QStringList& args) {
  QString database;
  if (!PrepareDatabase(args[1], &database)) return false;
  return Measure("import-vcf", CardCountOf(args[0]),
                 [&] { return ImportVCard(args[0], database); });
}

// The decoding side of the vCard import alone: the file read and parsed into records, nothing
// stored.
bool ParseVcf(const QStringList& args) {
  return Measure("parse-vcf", CardCountOf(args[0]), [&] {
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) return false;
    ReadVCards(file.readAll(), [](const ContactRecord&) {});
    return true;
  });
}

// ---- CSV import --------------------------------------------------------------------------

// A field as contacts CSV files write it: quoted when it holds a comma, a quote or a line break.
QByteArray CsvField(const QByteArray& value) {
  if (!value.contains(',') && !value.contains('"') && !value.contains('\r') &&
      !value.contains('\n')) {
    return value;
  }
  QByteArray quoted = value;
  quoted.replace("\"", "\"\"");
  return '"' + quoted + '"';
}

QByteArray CsvDate(const BackupDate& date) {
  if (date.IsNone()) return QByteArray();
  return QByteArray::number(date.month) + '/' + QByteArray::number(date.day) + '/' +
         QByteArray::number(date.year);
}

// The value of one import box for a generated phone contact.
QByteArray PhoneCsvValue(const PhoneContactBody& body, const char* column) {
  if (std::strcmp(column, "Birthday") == 0) return CsvDate(body.birthday);
  if (std::strcmp(column, "Anniversary") == 0) return CsvDate(body.anniversary);
  for (const ContactField& field : kContactFields) {
    if (std::strcmp(field.column, column) == 0) return body.items[field.backupItem];
  }
  return QByteArray();
}

QByteArray SimCsvValue(const SimContactBody& sim, const char* column) {
  if (std::strcmp(column, "First_Name") == 0) return sim.name;
  if (std::strcmp(column, "Mobile_Phone") == 0) return sim.number;
  return QByteArray();
}

// The same contacts as `generate`, without pictures and ring tones, as a CSV file whose header
// names each import box's column, in box order.
bool GenerateCsv(const QStringList& args) {
  bool isNumber = false;
  int total = args[0].toInt(&isNumber);
  if (!isNumber || total < 0) return false;
  int simContacts = total / 10;
  ContactGenerator generator(20240501);
  QFile file(args[1]);
  bool ok = file.open(QIODevice::WriteOnly);
  QByteArray header;
  for (const char* column : kCsvImportBoxColumns) header += QByteArray(column) + ',';
  header.chop(1);
  ok = ok && file.write(header + "\r\n") > 0;
  for (int i = 0; ok && i < total; ++i) {
    bool phone = i < total - simContacts;
    PhoneContactBody body = phone ? generator.Phone(i) : PhoneContactBody();
    SimContactBody sim = phone ? SimContactBody() : generator.Sim(i);
    QByteArrayList values;
    for (const char* column : kCsvImportBoxColumns) {
      values << CsvField(phone ? PhoneCsvValue(body, column) : SimCsvValue(sim, column));
    }
    ok = file.write(values.join(',') + "\r\n") > 0;
  }
  ok = ok && file.flush();
  std::printf("generate-csv %d contacts (%d SIM) into %s: %s\n", total, simContacts,
              qPrintable(args[1]), ok ? "ok" : "FAILED");
  return ok;
}

// Reads the file and imports it with each box mapped to the header field that names its column,
// as a layout naming the columns does in the import dialog.
bool ImportCsv(const QStringList& args) {
  QString database;
  if (!PrepareDatabase(args[1], &database)) return false;
  CsvRowSet counted;
  if (ReadCsvFile(counted, args[0]) != CsvReadResult::kRead) return false;
  qint64 contacts = std::max<qint64>(0, std::ssize(counted) - 1);
  FreeCsvRows(counted);
  return Measure("import-csv", contacts, [&] {
    CsvRowSet rows;
    if (ReadCsvFile(rows, args[0]) != CsvReadResult::kRead) return false;
    CsvColumnMap columns;
    for (int box = 0; box < kContactFieldCount; ++box) {
      columns[box] =
          rows.empty()
              ? -1
              : static_cast<int>(rows[0].indexOf(QLatin1String(kCsvImportBoxColumns[box])));
    }
    return ImportCsvRows(rows, columns, database).failed == 0;
  });
}

bool ExportCbk(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-cbk", RowCountOf(database),
                 [&] { return ExportContactsBackup(args[1], database, nullptr); });
}

bool ExportTxt(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-txt", RowCountOf(database),
                 [&] { return ExportContactsText(args[1], database, nullptr); });
}

bool ExportCsv(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-csv", RowCountOf(database),
                 [&] { return WriteCommonCsvRows(args[1], DefaultCsvColumns(), database) == 1; });
}

bool ExportVcf(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-vcf", RowCountOf(database),
                 [&] { return WriteVCardFile(args[1], database) == 1; });
}

// The search pane's keyword search on the database of a working folder: the number of matches
// and their IDs in view order on one line, then the time the query took.
bool Search(const QStringList& args) {
  QString keyword = args[1].trimmed();
  if (keyword.isEmpty() || !QFileInfo::exists(DatabaseIn(args[0]))) return false;
  QDir::setCurrent(args[0]);
  auto start = std::chrono::steady_clock::now();
  std::vector<qint64> ids = LoadResultIds(-1, keyword);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu matches:", ids.size());
  for (qint64 id : ids) std::printf(" %lld", static_cast<long long>(id));
  std::printf("\nsearch \"%s\" %.3f s\n", qPrintable(keyword), seconds);
  return true;
}

struct Command {
  const char* name;
  const char* arguments;
  std::function<bool(const QStringList&)> run;
};

const std::vector<Command>& Commands() {
  // One command a line, however many there are.
  // clang-format off
  static const std::vector<Command> commands = {
      {"generate", "N FILE.cbk", Generate},
      {"import-cbk", "FILE.cbk WORKDIR", ImportCbk},
      {"export-cbk", "WORKDIR FILE.cbk", ExportCbk},
      {"export-txt", "WORKDIR FILE.txt", ExportTxt},
      {"export-csv", "WORKDIR FILE.csv", ExportCsv},
      {"export-vcf", "WORKDIR FILE.vcf", ExportVcf},
      {"import-vcf", "FILE.vcf WORKDIR", ImportVcf},
      {"parse-vcf", "FILE.vcf", ParseVcf},
      {"generate-csv", "N FILE.csv", GenerateCsv},
      {"import-csv", "FILE.csv WORKDIR", ImportCsv},
      {"search", "WORKDIR KEYWORD", Search},
  };
  // clang-format on
  return commands;
}

int Usage() {
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : Commands()) {
    std::fprintf(stderr, "  contacts_bench %s %s\n", command.name, command.arguments);
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  for (const Command& command : Commands()) {
    qsizetype expected = QString::fromLatin1(command.arguments).split(' ').size();
    if (!args.isEmpty() && args[0] == QLatin1String(command.name) && args.size() - 1 == expected) {
      return command.run(args.mid(1)) ? 0 : 1;
    }
  }
  return Usage();
}
