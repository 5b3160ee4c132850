// Runs Marrowind's and Skeldra's jobs on emulated phones in a temporary folder and prints one line
// per job: the job, the number of items, the seconds it took, items per second, the job's peak
// resident memory and its ratio to the floor, then the message the job ended with; at the end, how
// each job's time grew with the number of items.
//
// For each size: a phone is filled with that many contacts (phone contacts and a full SIM) and
// that many messages; its contacts are backed up and listed as text and its messages backed up.
// Both files are then restored onto an empty phone, and restored again over what the first
// restore made (every contact replaced, every message found a duplicate). The floor reads every
// stored row of the filled phone once with plain SQL, one statement per table: what no job can
// beat.
//
// usage: phone_bench [ITEMS...]   (default: 10000 100000)

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "device/contacts/contacts_backup_job.h"
#include "device/contacts/contacts_restore_job.h"
#include "device/contacts/marrowind_program.h"
#include "device/frame/job_outcome.h"
#include "device/sms/skeldra_program.h"
#include "device/sms/sms_backup_job.h"
#include "device/sms/sms_restore_job.h"
#include "platform/device/sample/phone_sample.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_setup.h"
#include "platform/windows/message_service.h"

namespace {

// ---- Sample phone -----------------------------------------------------------------------------

constexpr int kSimEntries = 250;
constexpr DWORD kSimHighestIndex = 2 * kSimEntries;  // room for a second restore's entries

// Fills the phone with `items` contacts (a full SIM, the rest phone contacts) and `items`
// messages.
bool FillPhone(int items) {
  PhoneSetup phone;
  return AddSampleData(
      phone, {.contacts = items - kSimEntries, .simEntries = kSimEntries, .messages = items});
}

// ---- Measuring --------------------------------------------------------------------------------

// The process's peak resident memory is reset before each job, so each line shows its own.
void ResetPeakMemory() {
  QFile clear("/proc/self/clear_refs");
  if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

double PeakMemoryMegabytes() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
  }
  return 0;
}

// The seconds of each job by its number of items, for the growth lines at the end.
std::map<std::string, std::map<int, double>> timings;

// Runs the job and prints its line; `floorSeconds` 0 for the floor itself.
double Measure(const char* job, int items, double floorSeconds,
               const std::function<QString()>& run) {
  ResetPeakMemory();
  QElapsedTimer timer;
  timer.start();
  const QString outcome = run();
  const double seconds = timer.nsecsElapsed() / 1e9;
  std::printf("%-22s %7d items %8.3f s %9.0f items/s %7.1f MB", job, items, seconds,
              items / seconds, PeakMemoryMegabytes());
  if (floorSeconds > 0) std::printf(" %6.1fx floor", seconds / floorSeconds);
  std::printf("  %s\n", qPrintable(outcome));
  std::fflush(stdout);
  timings[job][items] = seconds;
  return seconds;
}

// How each job's time grew from the fewest items to the most (linear: as much as the items).
void PrintGrowth() {
  for (const auto& [job, seconds] : timings) {
    if (seconds.size() < 2) continue;
    const auto& [fewest, first] = *seconds.begin();
    const auto& [most, last] = *seconds.rbegin();
    std::printf("growth %-22s %6.1fx time for %.1fx items\n", job.c_str(), last / first,
                static_cast<double>(most) / fewest);
  }
}

// Reads every row of the phone's stores once, one plain statement per table.
QString ScanPhone(const char* const* tables, int count) {
  sqlite3* db = nullptr;
  qint64 bytes = 0;
  sqlite3_open_v2(QFile::encodeName(PhoneDatabasePath()).constData(), &db, SQLITE_OPEN_READONLY,
                  nullptr);
  for (int i = 0; i < count; ++i) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("select * from ") + tables[i]).constData(), -1, &statement,
                       nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
      for (int column = 0; column < sqlite3_column_count(statement); ++column) {
        bytes += sqlite3_column_bytes(statement, column);
      }
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return QStringLiteral("%1 bytes").arg(bytes);
}

void UsePhone(const QString& folder) { qputenv(kPhoneRootVariable, folder.toLocal8Bit()); }

// A fresh phone whose SIM has room for two copies of the sample's SIM entries.
void EmptyPhone(const QString& folder) {
  UsePhone(folder);
  PhoneSetup().SetSimCapacity(1, kSimHighestIndex);
}

QString ContactsBackup(const QString& path) {
  CContactsBackupJob job(BackupModeForPath(path), path);
  if (!job.m_session.OpenContactStore()) return "store not opened";
  return JobOutcomeText(RunContactsBackup(job.m_session, job));
}

QString ContactsRestore(const QString& path) {
  CContactsRestoreJob job(path);
  if (!job.m_session.OpenContactStore()) return "store not opened";
  return JobOutcomeText(RestoreContactsFile(job.m_session, job));
}

QString SmsBackup(const QString& path) {
  CSmsBackupJob job(SmsBackupMode::kBackupFile, path, CSmsBackupJob::kAllFolders);
  job.m_nTotal = CountSelectedMessages(job);
  return JobOutcomeText(RunSmsBackup(job));
}

QString SmsRestore(const QString& path) {
  CSmsRestoreJob job(path);
  return JobOutcomeText(RunSmsRestore(job));
}

void RunSize(const QTemporaryDir& folder, int items) {
  const QString filled = folder.filePath(QStringLiteral("filled%1").arg(items));
  const QString empty = folder.filePath(QStringLiteral("empty%1").arg(items));
  const QString contacts = folder.filePath(QStringLiteral("contacts%1.vbx").arg(items));
  const QString messages = folder.filePath(QStringLiteral("messages%1.qrd").arg(items));
  EmptyPhone(filled);
  if (!FillPhone(items)) {
    std::printf("the sample phone of %d items could not be made\n", items);
    return;
  }
  const char* const contactTables[] = {"contact_items", "contact_properties", "sim_entries"};
  const char* const messageTables[] = {"messages", "message_properties", "recipients"};
  const double contactsFloor =
      Measure("floor: contact rows", items, 0, [&] { return ScanPhone(contactTables, 3); });
  const double messagesFloor =
      Measure("floor: message rows", items, 0, [&] { return ScanPhone(messageTables, 3); });
  InstallDeviceProgram(MarrowindProgram());
  Measure("contacts backup", items, contactsFloor, [&] { return ContactsBackup(contacts); });
  Measure("contacts text listing", items, contactsFloor,
          [&] { return ContactsBackup(folder.filePath("contacts.txt")); });
  EmptyPhone(empty);
  Measure("contacts restore", items, contactsFloor, [&] { return ContactsRestore(contacts); });
  Measure("contacts restore again", items, contactsFloor,
          [&] { return ContactsRestore(contacts); });
  InstallDeviceProgram(SkeldraProgram());
  UsePhone(filled);
  Measure("sms backup", items, messagesFloor, [&] { return SmsBackup(messages); });
  UsePhone(empty);
  Measure("sms restore", items, messagesFloor, [&] { return SmsRestore(messages); });
  Measure("sms restore again", items, messagesFloor, [&] { return SmsRestore(messages); });
}

}  // namespace

int main(int argc, char** argv) {
  // The jobs return their outcomes; any message box is answered at once.
  MessageService service;
  service.messageBox = [](const QString&, const QString&, unsigned) { return IDOK; };
  InstallMessageService(service);
  QTemporaryDir folder;
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10000, 100000};
  for (int items : sizes) RunSize(folder, std::max(items, kSimEntries));
  PrintGrowth();
  return 0;
}
