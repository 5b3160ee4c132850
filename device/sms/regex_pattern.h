#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "device/sms/regex_parser.h"

// The outcome of a search as an array of integers: element 0 is 1 for a match, element 1 the
// number of groups n, then the start and end of groups 0 (the whole match) to n, -1 for a
// group that took part in no match. A failed search gives an empty array.
class RegexMatchResult {
 public:
  RegexMatchResult() = default;
  explicit RegexMatchResult(std::vector<int> values) : values_(std::move(values)) {}

  bool IsMatched() const { return Value(0) == 1; }
  int GroupCount() const { return values_.size() > 1 ? values_[1] : 0; }
  // Start (lower) and end (higher) position of a group; -1 when the array does not hold it.
  int GetGroupStart(int group) const { return group < 0 ? -1 : Value(2 + 2 * std::size_t(group)); }
  int GetGroupEnd(int group) const { return group < 0 ? -1 : Value(3 + 2 * std::size_t(group)); }
  const std::vector<int>& Values() const { return values_; }

 private:
  int Value(std::size_t index) const { return index < values_.size() ? values_[index] : -1; }

  std::vector<int> values_;
};

// A backtracking regular-expression engine over 8-bit text with Perl-like syntax. Bytes are
// compared as unsigned values, so "\W" matches every byte of 128 and above.
//
// Searches stay within fixed bounds. The backtracking state lives on stacks of the engine's
// own, so a long text never deepens the machine stack; groups and classes nest at most 200
// deep; a search whose calls would nest deeper than the context's bound (through "(?R)"
// recursions) or whose state would outgrow its memory bound ends as no match. About 400 KB of
// machine stack suffice. Time is not bounded: like any backtracking engine, nested repeats
// such as "(a*)*b" can take time exponential in the text's length.
class CRegexPattern {
 public:
  CRegexPattern() = default;
  CRegexPattern(const CRegexPattern&) = delete;
  CRegexPattern& operator=(const CRegexPattern&) = delete;
  CRegexPattern(CRegexPattern&&) = default;
  CRegexPattern& operator=(CRegexPattern&&) = default;

  // Compiles `length` bytes of `pattern` (up to its terminating zero when `length` is
  // negative) under the kRegex... flags. Without a pattern text, or with a malformed one,
  // nothing is compiled and every search gives an empty result. Returns whether it compiled.
  bool Compile(const char* pattern, int length, int flags);
  bool IsCompiled() const { return compiled_.root != nullptr; }

  // Searches `text` from `start` (-1: the beginning, or the end for a right-to-left pattern).
  // A context passed to successive searches keeps them from matching empty text where the
  // previous match ended.
  RegexMatchResult Search(std::string_view text, int start,
                          RegexMatchContext* context = nullptr) const;

 private:
  int flags_ = 0;
  ParsedRegex compiled_;
};
