#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Reads a pattern one character at a time: each is plain or special, escapes are decoded,
// "\Q...\E" (literal), "\L...\E" and "\U...\E" (case-converted) runs are plain, and "(?#...)"
// comments (under the extended flag also blanks and "#" comments) are skipped.

// Thrown by the lexer and the parser on a malformed pattern; ParseRegex catches it.
struct RegexSyntaxError {};

[[noreturn]] inline void ThrowMalformedPattern() { throw RegexSyntaxError{}; }

inline bool IsDecimalDigit(int c) { return c >= '0' && c <= '9'; }

enum class RegexTokenKind { kEnd, kChar, kMeta, kEscape };

// kChar: a byte that stands for itself; kMeta: a special character; kEscape: the letter or
// first digit of a special escape ("\d", "\b", "\k", "\1" ...).
struct RegexToken {
  RegexTokenKind kind = RegexTokenKind::kEnd;
  unsigned char ch = 0;

  bool IsMeta(char c) const { return kind == RegexTokenKind::kMeta && ch == c; }
};

class RegexLexer {
 public:
  RegexLexer(std::string_view pattern, bool extended) : pattern_(pattern), extended_(extended) {}

  // The next token, read as inside a class or outside one.
  RegexToken Next(bool inClass);
  RegexToken Peek(bool inClass) const { return RegexLexer(*this).Next(inClass); }

  // Group openings, names and counts are read character by character.
  int PeekRaw() const {
    return at_ < pattern_.size() ? static_cast<unsigned char>(pattern_[at_]) : -1;
  }
  int TakeRaw() { return at_ < pattern_.size() ? static_cast<unsigned char>(pattern_[at_++]) : -1; }
  bool TakeRaw(char expected) {
    if (PeekRaw() != static_cast<unsigned char>(expected)) return false;
    ++at_;
    return true;
  }

 private:
  enum class Mode { kPlain, kQuoted, kLower, kUpper };

  bool StartsWith(std::string_view text) const { return pattern_.substr(at_).starts_with(text); }
  bool SkipIgnored(bool inClass);
  std::optional<RegexToken> Escape(bool inClass);
  unsigned char HexEscape(bool fourDigits);

  std::string_view pattern_;
  std::size_t at_ = 0;
  bool extended_;
  Mode mode_ = Mode::kPlain;
};
