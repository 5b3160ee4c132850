// Restores arbitrary bytes as a contacts backup file onto a fresh emulated phone: contacts, SIM
// entries and ring-tone files. The first 16 bytes become the digest of the input's length, so
// the restore goes past the digest check; the seeds are whole backup files.
#include <cstdint>

#include "device/contacts/contacts_restore_job.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/backup_digest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  UseFreshPhone(folder);
  CContactsRestoreJob job(
      folder.Write(QStringLiteral("input.vbx"), WithContactsDigest(FuzzBytes(data, size))));
  if (job.m_session.OpenContactStore()) RestoreContactsFile(job.m_session, job);
  return 0;
}
