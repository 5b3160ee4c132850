// Feeds arbitrary bytes to the contacts backup reader, with the digest made to match so that the
// reader goes past the header into the records.
#include <QTemporaryFile>

#include <cstdint>
#include <cstring>

#include "common/contacts_backup_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray bytes(16, '\0');
  bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  Md5Digest digest = ContactsFileDigest(bytes.size());
  std::memcpy(bytes.data(), digest.data(), digest.size());

  QTemporaryFile file;
  if (!file.open() || file.write(bytes) != bytes.size()) return 0;
  file.close();
  for (BackupDialect dialect : {kDesktopDialect, kPhoneDialect}) {
    ContactsBackupReader reader(dialect);
    if (reader.Open(file.fileName()) != ContactsBackupReader::OpenResult::kOk) continue;
    std::uint32_t count = 0;
    if (!reader.ReadRecordCount(&count)) continue;
    BackupRecord record;
    for (std::uint32_t i = 0; i < count && reader.ReadRecord(&record); ++i) {
    }
  }
  return 0;
}
