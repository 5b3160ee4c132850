// Imports arbitrary bytes as a vCard file into an empty contact database.
#include <cstdint>

#include "desktop/exchange/vcard/vcard_import.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  const QString vcard = folder.Write(QStringLiteral("input.vcf"), FuzzBytes(data, size));
  const QString database = FreshContactDatabase(folder);
  ImportVCard(vcard, database);
  return 0;
}
