// Runs Marrowind's and Skeldra's jobs on emulated phones in a temporary folder and prints one line
// per job: the job, the number of items, the seconds it took, items per second, the job's peak
// resident memory and its ratio to the floor, then the message the job ended with.
//
// For each size: a phone is filled with that many contacts (phone contacts and a full SIM) and
// that many messages; its contacts are backed up and listed as text and its messages backed up.
// Both files are then restored onto an empty phone, and restored again over what the first
// restore made (every contact replaced, every message found a duplicate). The floor reads every
// stored row of the filled phone once with plain SQL, one statement per table: what no job can
// beat.
//
// usage: phone_bench [ITEMS...]   (default: 10000 100000)

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <random>

#include "device/contacts/contact_properties.h"
#include "device/contacts/contacts_backup_job.h"
#include "device/contacts/contacts_restore_job.h"
#include "device/contacts/marrowind_program.h"
#include "device/sms/skeldra_program.h"
#include "device/sms/sms_backup_job.h"
#include "device/sms/sms_restore_job.h"
#include "platform/device/phone_folder.h"
#include "platform/device/phone_setup.h"
#include "platform/windows/message_service.h"
#include "platform/windows/resources.h"

namespace {

// ---- Sample phone -----------------------------------------------------------------------------

constexpr int kSimEntries = 250;
constexpr DWORD kSimHighestIndex = 2 * kSimEntries;  // room for a second restore's entries
constexpr int kRingTones = 8;

const char* const kGivenNames[] = {"John", "Mary", "Wei",  "Anna", "Peter", "Sofia", "Ming",
                                   "Emma", "Chen", "Omar", "Lena", "Yuki",  "Ivan",  "Paulo"};
const char* const kFamilyNames[] = {"Smith",  "Wang",  "Garcia", "Müller", "Brown",   "Rossi",
                                    "Tanaka", "Novak", "Silva",  "Martin", "Kowalski"};
const char* const kChineseNames[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊", "赵敏"};
const char* const kTexts[] = {"See you at the station at eight.", "会议改到明天下午三点。",
                              "Call me when you land, please!",   "好的，谢谢！",
                              "Happy birthday! 生日快乐",         "Running late, 10 minutes."};

QString RingTonePath(int n) {
  return QStringLiteral("\\Application Data\\Sounds\\ring%1.wav").arg(n);
}

class SampleMaker {
 public:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  QString Digits(int count) {
    QString digits;
    for (int i = 0; i < count; ++i) digits += QChar(u'0' + Below(10));
    return digits;
  }
  template <typename T, std::size_t N>
  QString Pick(T (&list)[N]) {
    return QString::fromUtf8(list[Below(static_cast<int>(N))]);
  }
  // A day of about that year.
  FILETIME Date(int year) {
    return MakeFileTime((static_cast<quint64>(year - 1601) * 365 + Below(365)) *
                        864'000'000'000ull);
  }

  // A contact as phones hold them: most with a name and a mobile number, many with a company and
  // an e-mail address, some with an address, dates, notes, a picture or a ring tone.
  PhoneContact Contact(int n) {
    PhoneContact contact;
    auto text = [&](int item, const QString& value) {
      contact.texts[kBackupPropertyIds[item]] = value;
    };
    const QString first = Chance(30) ? Pick(kChineseNames) : Pick(kGivenNames);
    const QString last = Pick(kFamilyNames) + QString::number(n);
    text(1, first);
    text(3, last);
    text(51, last + ", " + first);
    text(18, "+86138" + Digits(8));
    if (Chance(5)) text(0, "Dr.");
    if (Chance(10)) text(2, QString(QChar(u'A' + Below(26))));
    if (Chance(5)) text(4, first + "y");
    if (Chance(50)) {
      text(6, QStringLiteral("Company %1").arg(Below(5000)));
      text(8, "Engineer");
      text(9, "010-" + Digits(8));
    }
    if (Chance(60)) text(17, QStringLiteral("user%1@example.com").arg(n));
    if (Chance(25)) {
      text(11, QStringLiteral("%1 Main Street").arg(1 + Below(999)));
      text(12, "Beijing");
      text(14, Digits(6));
      text(15, "China");
    }
    if (Chance(10)) text(53, "Met at the conference.\r\nCall back in spring.");
    if (Chance(10)) text(54, RingTonePath(Below(kRingTones)));
    if (Chance(20)) contact.dates[kBackupPropertyIds[55]] = Date(1950 + Below(55));
    if (Chance(5)) contact.dates[kBackupPropertyIds[56]] = Date(2000 + Below(20));
    if (Chance(5)) contact.picture = QByteArray(2000 + Below(6000), static_cast<char>(Below(256)));
    return contact;
  }

  PhoneMessage Message(int n, bool draft) {
    PhoneMessage message;
    message.subject = Pick(kTexts) + QStringLiteral(" #%1").arg(n);
    message.flags = draft ? 0 : 1;
    message.size = static_cast<ULONG>(message.subject->size());
    // Ten minutes apart from 2010 on; a draft has no delivery time.
    const FILETIME time = MakeFileTime(129'067'776'000'000'000ull + n * 6'000'000'000ull);
    message.lastModificationTime = time;
    message.deliveryTime = draft ? FILETIME{} : time;
    const QString name = Pick(kGivenNames);
    message.senderEmailAddress = "\"" + name + "\" <+86139" + Digits(8) + ">";
    message.senderName = name;
    for (int i = Below(3); i >= 0; --i)
      message.recipients.push_back({Pick(kChineseNames), "+86137" + Digits(8), MAPI_TO});
    return message;
  }

 private:
  std::mt19937 random_{20240501};
};

// Fills the phone with `items` contacts (a full SIM, the rest phone contacts) and `items`
// messages spread over the special folders and nested subfolders, and puts the ring tones in
// the phone's file tree.
void FillPhone(PhoneSetup& phone, int items) {
  SampleMaker maker;
  for (int n = 0; n < kRingTones; ++n) {
    QFile file(*PhonePathToLocal(RingTonePath(n)));
    if (QFileInfo(file).dir().mkpath(".") && file.open(QIODevice::WriteOnly)) {
      file.write(QByteArray(40 * 1024, static_cast<char>(n)));
    }
  }
  for (int n = 0; n < items - kSimEntries; ++n) phone.AddContact(maker.Contact(n));
  for (int n = 1; n <= kSimEntries; ++n) {
    phone.AddSimEntry(n, QStringLiteral("SIM %1").arg(n), "+86135" + maker.Digits(8));
  }
  const qint64 store = phone.MessageStoreId("SMS");
  const qint64 inbox = phone.SpecialFolderId(store, PR_CE_IPM_INBOX_ENTRYID);
  const qint64 work = phone.AddFolder(inbox, "Work");
  const qint64 folders[] = {inbox,
                            inbox,
                            inbox,
                            work,
                            phone.AddFolder(work, "Old"),
                            phone.SpecialFolderId(store, PR_IPM_SENTMAIL_ENTRYID),
                            phone.SpecialFolderId(store, PR_IPM_SENTMAIL_ENTRYID),
                            phone.SpecialFolderId(store, PR_IPM_WASTEBASKET_ENTRYID),
                            phone.SpecialFolderId(store, PR_CE_IPM_DRAFTS_ENTRYID)};
  for (int n = 0; n < items; ++n) {
    const int folder = maker.Below(static_cast<int>(std::size(folders)));
    const bool draft = folders[folder] == folders[std::size(folders) - 1];
    phone.AddMessage(folders[folder], maker.Message(n, draft));
  }
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

// The last message a job showed (every message box is answered at once).
QString shownMessage;

// Runs the job and prints its line; `floorSeconds` 0 for the floor itself.
double Measure(const char* job, int items, double floorSeconds,
               const std::function<QString()>& run) {
  shownMessage.clear();
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
  return seconds;
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
  RunContactsBackup(job.m_session, job);
  return shownMessage;
}

QString ContactsRestore(const QString& path) {
  CContactsRestoreJob job(path);
  if (!job.m_session.OpenContactStore()) return "store not opened";
  RestoreContactsFile(job.m_session, job);
  return shownMessage;
}

QString SmsOutcome(const SmsJobOutcome& outcome) {
  return outcome.stringId != 0 ? LoadString(outcome.stringId) : outcome.text;
}

QString SmsBackup(const QString& path) {
  CSmsBackupJob job(kSmsBackupFileMode, path, CSmsBackupJob::kAllFolders);
  job.m_nTotal = CountSelectedMessages(job);
  return SmsOutcome(RunSmsBackup(job));
}

QString SmsRestore(const QString& path) {
  CSmsRestoreJob job(path);
  return SmsOutcome(RunSmsRestore(job));
}

void RunSize(const QTemporaryDir& folder, int items) {
  const QString filled = folder.filePath(QStringLiteral("filled%1").arg(items));
  const QString empty = folder.filePath(QStringLiteral("empty%1").arg(items));
  const QString contacts = folder.filePath(QStringLiteral("contacts%1.vbx").arg(items));
  const QString messages = folder.filePath(QStringLiteral("messages%1.qrd").arg(items));
  EmptyPhone(filled);
  {
    PhoneSetup phone;
    FillPhone(phone, items);
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
  MessageService service;
  service.messageBox = [](const QString& text, const QString&, unsigned) {
    shownMessage = text;
    return IDOK;
  };
  InstallMessageService(service);
  QTemporaryDir folder;
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10000, 100000};
  for (int items : sizes) RunSize(folder, std::max(items, kSimEntries));
  return 0;
}
