// Decodes arbitrary bytes as a contact picture and draws it at the size of a card's picture, as
// the cards and the record dialogs do with the bytes the database holds.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "platform/windows/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RenderPicture(FuzzBytes(data, size), QSize(55, 70));
  return 0;
}
