// Compares the engine with the standard library's ECMAScript engine on generated patterns of
// the syntax both share: literals, classes, alternation, greedy and lazy repeats, groups and
// anchors. Both must agree on whether a text matches and on every group's span.

#include "device/sms/regex_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

// A generated piece of pattern and whether it can match empty text.
struct Piece {
  std::string text;
  bool nullable;
};

class PatternGenerator {
 public:
  explicit PatternGenerator(unsigned seed) : random_(seed) {}

  std::string Pattern() { return Alternation(2, true).text; }

  std::string Text() {
    std::string text;
    for (int length = Below(9); length > 0; --length) text += "abc1 _"[Below(6)];
    return text;
  }

 private:
  int Below(int n) { return static_cast<int>(random_() % n); }
  bool Chance(int oneIn) { return Below(oneIn) == 0; }

  // Capture groups appear only outside repeated parts: inside a repetition ECMAScript forgets
  // a group at every pass, Perl-like engines keep its last capture.
  Piece Alternation(int depth, bool captures) {
    Piece alternation = Sequence(depth, captures);
    if (Chance(4)) {
      const Piece other = Sequence(depth, captures);
      alternation = {alternation.text + "|" + other.text, alternation.nullable || other.nullable};
    }
    return alternation;
  }

  // Only parts that cannot match empty text are repeated: the standard library stops a
  // repetition at an empty pass where ECMAScript (and this engine) backtrack into it.
  Piece Sequence(int depth, bool captures) {
    static const char* const kAnchors[] = {"^", "$", "\\b", "\\B"};
    Piece sequence{"", true};
    for (int items = 1 + Below(3); items > 0; --items) {
      if (Chance(12)) {  // ECMAScript repeats no assertion
        sequence.text += kAnchors[Below(std::size(kAnchors))];
        continue;
      }
      const bool quantified = Chance(2);
      Piece atom = Atom(depth, captures && !quantified);
      if (quantified && !atom.nullable) {
        const auto [quantifier, minimum] = Quantifier();
        atom = {atom.text + quantifier, minimum == 0};
      }
      sequence = {sequence.text + atom.text, sequence.nullable && atom.nullable};
    }
    return sequence;
  }

  Piece Atom(int depth, bool captures) {
    static const char* const kClasses[] = {"[ab]", "[^a]", "[a-c]", "[^ 1]", "\\d",   "\\w",
                                           "\\s",  "\\W",  ".",     "[b1_]", "[\\d ]"};
    const int kind = Below(3);
    if (kind == 0) return {std::string(1, "abc1 "[Below(5)]), false};
    if (kind == 1 || depth == 0) return {kClasses[Below(std::size(kClasses))], false};
    const Piece body = Alternation(depth - 1, captures);
    return {(captures && Chance(2) ? "(" : "(?:") + body.text + ")", body.nullable};
  }

  std::pair<std::string, int> Quantifier() {
    static const std::pair<const char*, int> kQuantifiers[] = {
        {"*", 0}, {"+", 1}, {"?", 0}, {"{2}", 2}, {"{0,2}", 0}, {"{1,3}", 1}, {"{2,}", 2}};
    const auto [text, minimum] = kQuantifiers[Below(std::size(kQuantifiers))];
    return {Chance(3) ? std::string(text) + "?" : std::string(text), minimum};
  }

  std::mt19937 random_;
};

std::vector<int> OurSpans(const CRegexPattern& regex, const std::string& text) {
  const RegexMatchResult result = regex.Search(text, -1);
  std::vector<int> spans;
  for (int group = 0; result.IsMatched() && group <= result.GroupCount(); ++group) {
    spans.push_back(result.GetGroupStart(group));
    spans.push_back(result.GetGroupEnd(group));
  }
  return spans;
}

std::vector<int> StandardSpans(const std::regex& regex, const std::string& text) {
  std::smatch match;
  std::vector<int> spans;
  if (!std::regex_search(text, match, regex)) return spans;
  for (std::size_t group = 0; group < match.size(); ++group) {
    const bool took = match[group].matched;
    spans.push_back(took ? static_cast<int>(match.position(group)) : -1);
    spans.push_back(took ? static_cast<int>(match.position(group) + match.length(group)) : -1);
  }
  return spans;
}

TEST(RegexDifferential, AgreesWithEcmaScriptOnTheCommonSubset) {
  PatternGenerator generator(20100307);
  int compared = 0;
  int disagreements = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string pattern = generator.Pattern();
    const bool ignoreCase = round % 4 == 0;
    CRegexPattern ours;
    ASSERT_TRUE(ours.Compile(pattern.c_str(), -1, ignoreCase ? kRegexIgnoreCase : 0)) << pattern;
    const std::regex standard(
        pattern, ignoreCase ? std::regex::ECMAScript | std::regex::icase : std::regex::ECMAScript);
    for (int t = 0; t < 4; ++t) {
      std::string text = generator.Text();
      if (ignoreCase) {
        for (char& c : text) c = t % 2 && c >= 'a' && c <= 'c' ? c - 'a' + 'A' : c;
      }
      ++compared;
      const std::vector<int> expected = StandardSpans(standard, text);
      if (OurSpans(ours, text) != expected && ++disagreements <= 10) {
        ADD_FAILURE() << "pattern /" << pattern << "/" << (ignoreCase ? "i" : "") << " text \""
                      << text << "\"";
      }
    }
  }
  EXPECT_EQ(disagreements, 0) << "of " << compared << " searches";
}

}  // namespace
