// Imports arbitrary bytes as a contacts backup file into an empty contact database. The first 16
// bytes become the digest of the input's length, so the import goes past the digest check into
// the records and ring tones; the seeds are whole backup files.
#include <cstdint>

#include "desktop/exchange/backup/contacts_backup_import.h"
#include "fuzz/fuzz_support.h"
#include "tests/support/backup_digest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  const QString backup =
      folder.Write(QStringLiteral("input.cbk"), WithContactsDigest(FuzzBytes(data, size)));
  const QString database = FreshContactDatabase(folder);
  ImportContactsBackup(backup, database, nullptr);
  return 0;
}
