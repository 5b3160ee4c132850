// Restores arbitrary bytes as an SMS backup file into the store "SMS" of a fresh emulated phone.
// The first 16 bytes become the digest of the input's length, so the restore goes past the file
// check into the records; the seeds are whole backup files.
#include <QByteArray>

#include <cstdint>

#include "common/length_digest.h"
#include "device/sms/sms_backup_file.h"
#include "device/sms/sms_restore_job.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/backup_digest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  const QByteArray digest = LengthDigest(static_cast<qint64>(size), kSmsFileSalt);
  UseFreshPhone(folder);
  CSmsRestoreJob job(
      folder.Write(QStringLiteral("input.qrd"), WithDigest(FuzzBytes(data, size), digest)));
  if (job.m_session.IsOpened()) RunSmsRestore(job);
  return 0;
}
