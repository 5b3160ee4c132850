// Feeds arbitrary bytes to the vCard reader as the lines of a card: the bytes follow a
// "BEGIN:VCARD" line, so the reader goes past the search for a card into its lines.
#include <cstdint>

#include "desktop/exchange/vcard/vcard_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray bytes("BEGIN:VCARD\r\n");
  bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  VCardReader reader(bytes);
  ContactRecord card;
  while (reader.Next(&card)) continue;
  return 0;
}
