#include "device/sms/regex_pattern.h"

#include <climits>
#include <cstring>
#include <new>

bool CRegexPattern::Compile(const char* pattern, int length, int flags) {
  flags_ = flags;
  compiled_ = {};
  if (!pattern) return false;
  const std::size_t size = length < 0 ? std::strlen(pattern) : static_cast<std::size_t>(length);
  compiled_ = ParseRegex(std::string_view(pattern, size), flags);
  return IsCompiled();
}

// Tries each start position in the search's direction; the first one where the pattern
// matches gives the result. An empty match where the previous match of the context ended is
// passed over for the pattern's next way, then for the next position.
RegexMatchResult CRegexPattern::Search(std::string_view text, int start,
                                       RegexMatchContext* context) const {
  if (!IsCompiled() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int length = static_cast<int>(text.size());
  const bool rightToLeft = (flags_ & kRegexRightToLeft) != 0;
  if (start == -1) start = rightToLeft ? length : 0;
  if (start < 0 || start > length) return {};

  RegexMatchContext localContext;
  RegexMatchContext& match = context ? *context : localContext;
  match.Begin(reinterpret_cast<const unsigned char*>(text.data()), length, start,
              compiled_.groupCount);
  const int step = rightToLeft ? -1 : 1;
  try {
    for (int position = start; position >= 0 && position <= length; position += step) {
      match.Restart(position);
      bool matched = compiled_.root->Match(match);
      while (matched && match.position == position && position == match.previousMatchEnd) {
        matched = compiled_.root->MatchNext(match);
      }
      if (matched) {
        match.PushCapture(0, position, match.position);
        match.previousMatchEnd = match.position;
        return RegexMatchResult(match.Result());
      }
    }
  } catch (const RegexMatchAborted&) {
  } catch (const std::bad_alloc&) {
  }
  return {};
}
