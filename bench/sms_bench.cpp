// Backs up and restores the SMS store of an emulated phone in a temporary folder and prints one
// line per step: the step, the number of messages, the seconds it took and messages per second.
// The messages lie half in the inbox and half in a subfolder of it, so the restore's duplicate
// test runs against large folders of both kinds; the second restore finds every message there.

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

#include "device/sms/sms_backup_job.h"
#include "device/sms/sms_restore_job.h"
#include "platform/device/phone_folder.h"
#include "platform/device/phone_setup.h"

namespace {

constexpr int kMessages = 5000;

PhoneMessage Sms(int number) {
  PhoneMessage message;
  message.subject = QStringLiteral("Message %1: see you at the station at eight").arg(number);
  message.flags = 1;
  message.size = 42;
  message.lastModificationTime = MakeFileTime(129'000'000'000'000'000ull + number * 10'000'000ull);
  message.deliveryTime = message.lastModificationTime;
  message.senderEmailAddress = QStringLiteral("\"Ann\" <+8613800000000>");
  message.senderName = QStringLiteral("Ann");
  message.recipients = {{QStringLiteral("Bob"), QStringLiteral("+8613900000000"), MAPI_TO}};
  return message;
}

void Time(const char* step, const std::function<SmsJobOutcome()>& run) {
  QElapsedTimer timer;
  timer.start();
  const SmsJobOutcome outcome = run();
  const double seconds = timer.nsecsElapsed() / 1e9;
  std::printf("%-16s %6d messages %8.3f s %9.0f messages/s  outcome %d\n", step, kMessages, seconds,
              kMessages / seconds, outcome.stringId);
}

}  // namespace

int main() {
  QTemporaryDir folder;
  qputenv(kPhoneRootVariable, folder.filePath("phone").toLocal8Bit());
  const QString path = folder.filePath("bench.qrd");
  PhoneSetup phone;
  const qint64 inbox = phone.SpecialFolderId(phone.MessageStoreId("SMS"), PR_CE_IPM_INBOX_ENTRYID);
  const qint64 work = phone.AddFolder(inbox, QStringLiteral("Work"));
  for (int i = 0; i < kMessages; ++i) phone.AddMessage(i % 2 == 0 ? inbox : work, Sms(i));

  Time("backup", [&] {
    CSmsBackupJob job(kSmsBackupFileMode, path, CSmsBackupJob::kAllFolders);
    job.m_nTotal = CountSelectedMessages(job);
    return RunSmsBackup(job);
  });
  phone.RemoveMessageStore(QStringLiteral("SMS"));
  phone.AddMessageStore(QStringLiteral("SMS"));
  Time("restore", [&] {
    CSmsRestoreJob job(path);
    return RunSmsRestore(job);
  });
  Time("restore again", [&] {
    CSmsRestoreJob job(path);
    return RunSmsRestore(job);
  });
  return 0;
}
