// Fills a fresh emulated phone with hostile rows (InsertHostileRows: any value in any column of
// the phone's database, folders whose parents run in a circle among them) and reads it as the
// programs do: Marrowind backs the contacts and SIM entries up into a backup file and the text
// listing, Skeldra the messages into an SMS backup file and the text listing, and `phone show`
// prints what the phone holds.
#include <cstdint>

#include "device/contacts/contacts_backup_job.h"
#include "device/sms/sms_backup_job.h"
#include "fuzz/fuzz_support.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/tool/phone_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  UseFreshPhone(folder);
  InsertHostileRows(PhoneDatabasePath(), data, size);
  for (const char* name : {"contacts.vbx", "contacts.txt"}) {
    const QString path = folder.Path(QLatin1String(name));
    CContactsBackupJob job(BackupModeForPath(path), path);
    if (job.m_session.OpenContactStore()) RunContactsBackup(job.m_session, job);
  }
  for (SmsBackupMode mode : {SmsBackupMode::kBackupFile, SmsBackupMode::kTextListing}) {
    CSmsBackupJob job(mode, folder.Path(QStringLiteral("messages")), CSmsBackupJob::kAllFolders);
    if (job.m_session.IsOpened()) RunSmsBackup(job);
  }
  if (std::optional<PhoneSummary> summary = SummarizePhone()) FormatPhoneSummary(*summary);
  return 0;
}
