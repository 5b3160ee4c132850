#include "device/sms/regex_lexer.h"

#include "device/sms/regex_nodes.h"

namespace {

bool IsPatternBlank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int HexValue(int c) {
  if (IsDecimalDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RegexToken RegexLexer::Next(bool inClass) {
  for (;;) {
    if (at_ >= pattern_.size()) return {};
    if (mode_ != Mode::kPlain) {
      if (StartsWith("\\E")) {
        at_ += 2;
        mode_ = Mode::kPlain;
        continue;
      }
      unsigned char c = static_cast<unsigned char>(pattern_[at_++]);
      if (mode_ == Mode::kLower) c = RegexLowerCase(c);
      if (mode_ == Mode::kUpper) c = RegexUpperCase(c);
      return {RegexTokenKind::kChar, c};
    }
    if (SkipIgnored(inClass)) continue;
    const unsigned char c = static_cast<unsigned char>(pattern_[at_++]);
    if (c == '\\') {
      if (std::optional<RegexToken> token = Escape(inClass)) return *token;
      continue;
    }
    const std::string_view special = inClass ? "[]-^" : "$()*+.?[]^{|}";
    if (c != 0 && special.find(static_cast<char>(c)) != std::string_view::npos) {
      return {RegexTokenKind::kMeta, c};
    }
    return {RegexTokenKind::kChar, c};
  }
}

// Skips a "(?#...)" comment, and under the extended flag a blank or a "#" comment, outside
// classes.
bool RegexLexer::SkipIgnored(bool inClass) {
  if (inClass) return false;
  if (StartsWith("(?#")) {
    const std::size_t close = pattern_.find(')', at_);
    if (close == std::string_view::npos) ThrowMalformedPattern();
    at_ = close + 1;
    return true;
  }
  if (!extended_) return false;
  if (IsPatternBlank(PeekRaw())) {
    ++at_;
    return true;
  }
  if (PeekRaw() != '#') return false;
  const std::size_t lineEnd = pattern_.find('\n', at_);
  at_ = lineEnd == std::string_view::npos ? pattern_.size() : lineEnd + 1;
  return true;
}

// The token of the escape after a backslash, or none for "\Q", "\L", "\U" and "\E", which only
// switch the mode.
std::optional<RegexToken> RegexLexer::Escape(bool inClass) {
  const int c = TakeRaw();
  const auto plain = [](int byte) {
    return RegexToken{RegexTokenKind::kChar, static_cast<unsigned char>(byte)};
  };
  switch (c) {
    case -1:
      ThrowMalformedPattern();
    case 'a':
      return plain(7);
    case 'e':
      return plain(27);
    case 'f':
      return plain(12);
    case 'n':
      return plain(10);
    case 'r':
      return plain(13);
    case 't':
      return plain(9);
    case 'v':
      return plain(11);
    case 'b':
      return inClass ? plain(8) : RegexToken{RegexTokenKind::kEscape, 'b'};
    case 'x':
      return plain(HexEscape(false));
    case 'u':
      return plain(HexEscape(true));
    case 'Q':
      mode_ = Mode::kQuoted;
      return std::nullopt;
    case 'L':
      mode_ = Mode::kLower;
      return std::nullopt;
    case 'U':
      mode_ = Mode::kUpper;
      return std::nullopt;
    case 'E':
      return std::nullopt;
    case 'd':
    case 'D':
    case 's':
    case 'S':
    case 'w':
    case 'W':
      return RegexToken{RegexTokenKind::kEscape, static_cast<unsigned char>(c)};
    case 'A':
    case 'B':
    case 'G':
    case 'Z':
    case 'z':
    case 'g':
    case 'k':
      return inClass ? plain(c)
                     : RegexToken{RegexTokenKind::kEscape, static_cast<unsigned char>(c)};
    default:
      return IsDecimalDigit(c) && !inClass
                 ? RegexToken{RegexTokenKind::kEscape, static_cast<unsigned char>(c)}
                 : plain(c);
  }
}

// "\xHH" (up to two digits), "\uHHHH" (four), "\x{...}" and "\u{...}" (one to eight). The
// engine works on bytes, so a value above 255 is refused.
unsigned char RegexLexer::HexEscape(bool fourDigits) {
  const bool braced = TakeRaw('{');
  const int maxDigits = braced ? 8 : fourDigits ? 4 : 2;
  unsigned long value = 0;
  int digits = 0;
  while (digits < maxDigits && HexValue(PeekRaw()) >= 0) {
    value = value * 16 + HexValue(TakeRaw());
    ++digits;
  }
  if (braced && (digits == 0 || !TakeRaw('}'))) ThrowMalformedPattern();
  if (!braced && fourDigits && digits != 4) ThrowMalformedPattern();
  if (value > 255) ThrowMalformedPattern();
  return static_cast<unsigned char>(value);
}
