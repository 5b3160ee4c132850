// Fills a fresh emulated phone with hostile rows (InsertHostileRows: any value in any column of
// the phone's database, folders whose parents run in a circle among them) and reads it as the
// programs do. The first byte chooses the reader, so that a run costs one read: Marrowind backs
// the contacts and SIM entries up into a backup file or the text listing, Skeldra the messages
// into an SMS backup file or the text listing, or `phone show` prints what the phone holds.
#include <cstdint>

#include "device/contacts/contacts_backup_job.h"
#include "device/sms/sms_backup_job.h"
#include "fuzz/fuzz_support.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/tool/phone_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  if (size == 0) return 0;
  UseFreshPhone(folder);
  InsertHostileRows(PhoneDatabasePath(), data + 1, size - 1);
  const int reader = data[0] % 5;
  if (reader < 2) {
    const QString path = folder.Path(QLatin1String(reader == 0 ? "contacts.vbx" : "contacts.txt"));
    CContactsBackupJob job(BackupModeForPath(path), path);
    if (job.m_session.OpenContactStore()) RunContactsBackup(job.m_session, job);
  } else if (reader < 4) {
    CSmsBackupJob job(reader == 2 ? SmsBackupMode::kBackupFile : SmsBackupMode::kTextListing,
                      folder.Path(QStringLiteral("messages")), CSmsBackupJob::kAllFolders);
    if (job.m_session.IsOpened()) RunSmsBackup(job);
  } else if (std::optional<PhoneSummary> summary = SummarizePhone()) {
    FormatPhoneSummary(*summary);
  }
  return 0;
}
