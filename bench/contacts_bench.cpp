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
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "desktop/store/contact_database.h"
#include "desktop/store/contacts_backup_export.h"
#include "desktop/store/contacts_backup_file.h"
#include "desktop/store/contacts_backup_import.h"
#include "desktop/store/contacts_text_export.h"
#include "platform/desktop/ansi_text.h"

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

bool ImportCbk(const QStringList& args) {
  QString database = DatabaseIn(args[1]);
  QDir().mkpath(args[1]);
  if (!QFileInfo::exists(database)) {
    ViewState state;
    if (InitContactDatabase(state, database) != 0) return false;
  }
  return Measure("import-cbk", RecordCountOf(args[0]),
                 [&] { return ImportContactsBackup(args[0], database, nullptr); });
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

struct Command {
  const char* name;
  const char* arguments;
  std::function<bool(const QStringList&)> run;
};

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"generate", "N FILE.cbk", Generate},
      {"import-cbk", "FILE.cbk WORKDIR", ImportCbk},
      {"export-cbk", "WORKDIR FILE.cbk", ExportCbk},
      {"export-txt", "WORKDIR FILE.txt", ExportTxt},
  };
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
