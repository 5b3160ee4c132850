// Runs the program's real contact import and export code on a working folder and prints one line
// per operation: the operation, the number of contacts, the seconds it took, contacts per second
// and the peak resident memory of the process so far; the line of an operation that did not end
// as it should (every contact stored or written) ends in FAILED.
//
// With --floor, an import also times the insert floor (insert_floor.h) for the same number of
// rows, in the same process after the import, and prints it with the import's ratio to it.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/contact_generator.h"
#include "bench/insert_floor.h"
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

// ---- Measuring ----------------------------------------------------------------------------

double PeakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kilobytes
}

void PrintLine(const char* operation, qint64 contacts, double seconds, bool ok) {
  std::printf("%s %lld contacts %.3f s %.0f contacts/s peak-rss %.1f MB%s\n", operation,
              static_cast<long long>(contacts), seconds,
              seconds > 0 ? static_cast<double>(contacts) / seconds : 0.0, PeakRssMegabytes(),
              ok ? "" : " FAILED");
}

// Runs the operation and prints its line; returns its success and sets its seconds.
bool Measure(const char* operation, qint64 contacts, const std::function<bool()>& run,
             double* seconds = nullptr) {
  auto start = std::chrono::steady_clock::now();
  bool ok = run();
  double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  PrintLine(operation, contacts, took, ok);
  if (seconds != nullptr) *seconds = took;
  return ok;
}

// What an import command is asked for beyond its arguments.
struct ImportOptions {
  bool floor = false;  // --floor: time the floor too
};

// Runs an import and, when asked, the floor for its rows in the same folder after it, so that
// the import's peak memory is its own.
bool MeasureImport(const char* operation, qint64 contacts, const QString& workDir,
                   bool withPictures, const ImportOptions& options,
                   const std::function<bool()>& run) {
  double seconds = 0;
  bool ok = Measure(operation, contacts, run, &seconds);
  if (!options.floor) return ok;
  std::optional<double> floor = TimeInsertFloor(workDir, static_cast<int>(contacts), withPictures);
  if (!floor) {
    std::printf("floor %lld rows FAILED\n", static_cast<long long>(contacts));
    return false;
  }
  std::printf("floor %lld rows%s %.3f s; %s takes %.2fx the floor\n",
              static_cast<long long>(contacts), withPictures ? "" : " without pictures", *floor,
              operation, seconds / *floor);
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

constexpr int kRingToneBytes = 40 * 1024;

bool Generate(const QStringList& args) {
  bool isNumber = false;
  int total = args[0].toInt(&isNumber);
  if (!isNumber || total < 0) return false;
  ContactsBackupWriter writer;
  bool ok =
      writer.Create(args[1], static_cast<std::uint32_t>(total)) &&
      GenerateContacts(total, [&](const PhoneContactBody* phone, const SimContactBody* sim) {
        return phone != nullptr ? writer.WritePhoneRecord(*phone) : writer.WriteSimRecord(*sim);
      });
  ok = ok && writer.WriteRingToneCount(ContactGenerator::kRingToneFiles);
  ContactGenerator ringTones;
  for (int n = 0; ok && n < ContactGenerator::kRingToneFiles; ++n) {
    ok = writer.WriteRingTone(
        {ContactGenerator::RingTonePath(n), ringTones.RandomBytes(kRingToneBytes)});
  }
  ok = ok && writer.Finish();
  std::printf("generate %d contacts (%d SIM) into %s: %s\n", total, GeneratedSimContacts(total),
              qPrintable(args[1]), ok ? "ok" : "FAILED");
  return ok;
}

// The floor on its own, in a temporary folder of the current folder.
bool Floor(const QStringList& args) {
  bool isNumber = false;
  int total = args[0].toInt(&isNumber);
  if (!isNumber || total < 0) return false;
  std::optional<double> seconds = TimeInsertFloor(QDir::currentPath(), total, true);
  PrintLine("floor", total, seconds.value_or(0), seconds.has_value());
  return seconds.has_value();
}

// The database of a working folder, made first when there is none.
bool PrepareDatabase(const QString& workDir, QString* database) {
  *database = DatabaseIn(workDir);
  QDir().mkpath(workDir);
  ViewState state;
  return QFileInfo::exists(*database) || InitContactDatabase(state, *database);
}

bool ImportCbk(const QStringList& args, const ImportOptions& options) {
  QString database;
  if (!PrepareDatabase(args[1], &database)) return false;
  return MeasureImport("import-cbk", RecordCountOf(args[0]), args[1], true, options, [&] {
    return ImportContactsBackup(args[0], database, nullptr).result == BackupImportResult::kComplete;
  });
}

// Cards are counted as the import finds them: by their BEGIN lines, read a line at a time.
qint64 CardCountOf(const QString& vcardPath) {
  QFile file(vcardPath);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  qint64 cards = 0;
  while (!file.atEnd()) cards += file.readLine().startsWith("BEGIN:VCARD") ? 1 : 0;
  return cards;
}

// The import stores no pictures (a PHOTO line goes to the notes), so neither does its floor.
bool ImportVcf(const QStringList& args, const ImportOptions& options) {
  QString database;
  if (!PrepareDatabase(args[1], &database)) return false;
  return MeasureImport("import-vcf", CardCountOf(args[0]), args[1], false, options, [&] {
    VCardImportOutcome outcome = ImportVCard(args[0], database);
    return outcome.result == VCardImportResult::kRead && outcome.failed == 0;
  });
}

// The decoding side of the vCard import alone: the file read and parsed into records, nothing
// stored.
bool ParseVcf(const QStringList& args) {
  return Measure("parse-vcf", CardCountOf(args[0]), [&] {
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) return false;
    VCardReader reader(file);
    ContactRecord card;
    while (reader.Next(&card)) continue;
    return reader.Stopped() == VCardReader::Stop::kEnd;
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
    if (std::strcmp(field.column, column) == 0) return body.items[BackupItemOf(field.id)];
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
  QFile file(args[1]);
  bool ok = file.open(QIODevice::WriteOnly);
  QByteArray header;
  for (const char* column : kCsvImportBoxColumns) header += QByteArray(column) + ',';
  header.chop(1);
  ok = ok && file.write(header + "\r\n") > 0 &&
       GenerateContacts(total, [&](const PhoneContactBody* phone, const SimContactBody* sim) {
         QByteArrayList values;
         for (const char* column : kCsvImportBoxColumns) {
           values << CsvField(phone != nullptr ? PhoneCsvValue(*phone, column)
                                               : SimCsvValue(*sim, column));
         }
         return file.write(values.join(',') + "\r\n") > 0;
       });
  ok = ok && file.flush();
  std::printf("generate-csv %d contacts (%d SIM) into %s: %s\n", total, GeneratedSimContacts(total),
              qPrintable(args[1]), ok ? "ok" : "FAILED");
  return ok;
}

// Counts the data records of the file as the import reads them.
qint64 CsvRecordCountOf(const QString& path) {
  CsvRecordReader reader;
  qint64 records = 0;
  if (reader.Open(path) != CsvReadResult::kRead) return 0;
  while (reader.ReadRecord() == CsvRecordReader::Next::kRecord) ++records;
  return std::max<qint64>(0, records - 1);
}

// Does what the import dialog does: reads the header, maps each box to the header field that
// names its column (as a layout naming the columns does) and imports the file.
bool ImportCsv(const QStringList& args, const ImportOptions& options) {
  QString database;
  if (!PrepareDatabase(args[1], &database)) return false;
  return MeasureImport("import-csv", CsvRecordCountOf(args[0]), args[1], false, options, [&] {
    CsvRow header;
    if (ReadCsvHeader(header, args[0]) != CsvReadResult::kRead) return false;
    CsvColumnMap columns;
    for (int box = 0; box < kContactFieldCount; ++box) {
      columns[box] = static_cast<int>(header.indexOf(QLatin1String(kCsvImportBoxColumns[box])));
    }
    CsvImportOutcome outcome = ImportCsvFile(args[0], columns, database);
    return outcome.read == CsvReadResult::kRead && outcome.failed == 0;
  });
}

// Every row written, every ring tone read.
bool Written(const ExportOutcome& outcome) {
  return outcome == ExportOutcome{ExportResult::kWritten};
}

bool ExportCbk(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-cbk", RowCountOf(database),
                 [&] { return Written(ExportContactsBackup(args[1], database, nullptr)); });
}

bool ExportTxt(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-txt", RowCountOf(database),
                 [&] { return Written(ExportContactsText(args[1], database, nullptr)); });
}

bool ExportCsv(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-csv", RowCountOf(database), [&] {
    return Written(WriteCommonCsvRows(args[1], DefaultCsvColumns(), database));
  });
}

bool ExportVcf(const QStringList& args) {
  QString database = DatabaseIn(args[0]);
  return Measure("export-vcf", RowCountOf(database),
                 [&] { return Written(WriteVCardFile(args[1], database)); });
}

// The search pane's keyword search on the database of a working folder: the number of matches
// and their IDs in view order on one line, then the time the query took.
bool Search(const QStringList& args) {
  QString keyword = args[1].trimmed();
  if (keyword.isEmpty() || !QFileInfo::exists(DatabaseIn(args[0]))) return false;
  QDir::setCurrent(args[0]);
  auto start = std::chrono::steady_clock::now();
  ResultIds result = LoadResultIds(ViewMode::kKeywordSearch, keyword);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (result.fault != DatabaseFault::kNone) {
    std::printf("search \"%s\" FAILED: database fault %d\n", qPrintable(keyword),
                static_cast<int>(result.fault));
    return false;
  }
  std::printf("%zu matches:", result.ids.size());
  for (qint64 id : result.ids) std::printf(" %lld", static_cast<long long>(id));
  std::printf("\nsearch \"%s\" %.3f s\n", qPrintable(keyword), seconds);
  return true;
}

struct Command {
  const char* name;
  const char* arguments;
  std::function<bool(const QStringList&, const ImportOptions&)> run;
  bool takesFloor = false;
};

// A command that takes no options.
template <typename Run>
std::function<bool(const QStringList&, const ImportOptions&)> Plain(Run run) {
  return [run](const QStringList& args, const ImportOptions&) { return run(args); };
}

const std::vector<Command>& Commands() {
  // One command a line, however many there are.
  // clang-format off
  static const std::vector<Command> commands = {
      {"generate", "N FILE.cbk", Plain(Generate)},
      {"floor", "N", Plain(Floor)},
      {"import-cbk", "FILE.cbk WORKDIR", ImportCbk, true},
      {"export-cbk", "WORKDIR FILE.cbk", Plain(ExportCbk)},
      {"export-txt", "WORKDIR FILE.txt", Plain(ExportTxt)},
      {"export-csv", "WORKDIR FILE.csv", Plain(ExportCsv)},
      {"export-vcf", "WORKDIR FILE.vcf", Plain(ExportVcf)},
      {"import-vcf", "FILE.vcf WORKDIR", ImportVcf, true},
      {"parse-vcf", "FILE.vcf", Plain(ParseVcf)},
      {"generate-csv", "N FILE.csv", Plain(GenerateCsv)},
      {"import-csv", "FILE.csv WORKDIR", ImportCsv, true},
      {"search", "WORKDIR KEYWORD", Plain(Search)},
  };
  // clang-format on
  return commands;
}

int Usage() {
  std::fprintf(stderr, "usage:\n");
  for (const Command& command : Commands()) {
    std::fprintf(stderr, "  contacts_bench %s %s%s\n", command.name, command.arguments,
                 command.takesFloor ? " [--floor]" : "");
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  ImportOptions options;
  options.floor = args.removeAll(QStringLiteral("--floor")) > 0;
  for (const Command& command : Commands()) {
    qsizetype expected = QString::fromLatin1(command.arguments).split(' ').size();
    if (!args.isEmpty() && args[0] == QLatin1String(command.name) && args.size() - 1 == expected &&
        (command.takesFloor || !options.floor)) {
      return command.run(args.mid(1), options) ? 0 : 1;
    }
  }
  return Usage();
}
