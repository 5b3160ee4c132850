// Feeds arbitrary patterns and texts to the regular-expression engine: the first byte splits the
// input into a pattern and a text, the second chooses the flags. The text is cut to 64 bytes:
// the engine does not bound its time, and nested repeats such as "(a*)*b" take time exponential
// in the text's length, so a long text would only find that known limit again.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/sms/regex_pattern.h"

namespace {

constexpr std::size_t kMaxTextBytes = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t split = 2 + data[0] % (size - 1);
  int flags = data[1] & 0x3F;
  std::string pattern(reinterpret_cast<const char*>(data) + 2, split - 2);
  std::string_view text(reinterpret_cast<const char*>(data) + split,
                        std::min(size - split, kMaxTextBytes));
  CRegexPattern regex;
  if (regex.Compile(pattern.c_str(), static_cast<int>(pattern.size()), flags)) {
    regex.Search(text, -1);
  }
  return 0;
}
