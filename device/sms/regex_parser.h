#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/sms/regex_nodes.h"

// Compile flags of a pattern.
constexpr int kRegexSingleLine = 0x01;  // "." also matches "\n"
constexpr int kRegexMultiline = 0x02;   // "^" and "$" also match at line ends
constexpr int kRegexGlobal = 0x04;      // enables "\G", the position the search began at
constexpr int kRegexIgnoreCase = 0x08;
constexpr int kRegexRightToLeft = 0x10;
constexpr int kRegexExtended = 0x20;  // blanks in the pattern skipped, "#" comments to line end

// A pattern turned into its node tree. The nodes belong to `nodes` and go together.
struct ParsedRegex {
  std::vector<std::unique_ptr<RegexNode>> nodes;
  const RegexNode* root = nullptr;  // null when the pattern is malformed
  int groupCount = 0;
  std::map<std::string, int> groupNames;
};

// Builds the node tree of `pattern`. Unnamed groups are numbered from 1 by their opening
// parentheses, named groups after them in order of appearance (a name used again keeps its
// number). A malformed pattern gives no root.
ParsedRegex ParseRegex(std::string_view pattern, int flags);
