// Feeds arbitrary patterns and texts to the regular-expression engine: the first byte splits the
// input into a pattern and a text, the second chooses the flags.
#include <cstdint>
#include <string>
#include <string_view>

#include "device/sms/regex_pattern.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t split = 2 + data[0] % (size - 1);
  int flags = data[1] & 0x3F;
  std::string pattern(reinterpret_cast<const char*>(data) + 2, split - 2);
  std::string_view text(reinterpret_cast<const char*>(data) + split, size - split);
  CRegexPattern regex;
  if (regex.Compile(pattern.c_str(), static_cast<int>(pattern.size()), flags)) {
    regex.Search(text, -1);
  }
  return 0;
}
