#include "device/sms/regex_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Spans = std::vector<std::pair<int, int>>;

const char kSenderPattern[] = "\"((\\w|\\W)*)\" <((\\w|\\W)*)>";
const char kRecipientPattern[] = "\"((\\w|\\W)*)\" <((\\w|\\W)*)> (\\d*)";

CRegexPattern Compiled(const std::string& pattern, int flags = 0) {
  CRegexPattern regex;
  EXPECT_TRUE(regex.Compile(pattern.data(), static_cast<int>(pattern.size()), flags)) << pattern;
  return regex;
}

// Every group's span of the first match, or nothing when there is none.
Spans Groups(const std::string& pattern, const std::string& text, int flags = 0, int start = -1) {
  const RegexMatchResult result = Compiled(pattern, flags).Search(text, start);
  Spans spans;
  for (int group = 0; result.IsMatched() && group <= result.GroupCount(); ++group) {
    spans.emplace_back(result.GetGroupStart(group), result.GetGroupEnd(group));
  }
  return spans;
}

// The whole-match spans of successive searches that share one context, each starting where
// the previous match ended.
Spans AllMatches(const std::string& pattern, const std::string& text, int flags = 0) {
  const CRegexPattern regex = Compiled(pattern, flags);
  const bool rightToLeft = (flags & kRegexRightToLeft) != 0;
  RegexMatchContext context;
  Spans spans;
  int start = -1;
  for (RegexMatchResult result; (result = regex.Search(text, start, &context)).IsMatched();) {
    spans.emplace_back(result.GetGroupStart(0), result.GetGroupEnd(0));
    start = rightToLeft ? result.GetGroupStart(0) : result.GetGroupEnd(0);
    if (spans.size() > text.size() + 1) break;  // the search must move on; guard a fault
  }
  return spans;
}

std::string Group(const std::string& text, const RegexMatchResult& result, int group) {
  return text.substr(result.GetGroupStart(group),
                     result.GetGroupEnd(group) - result.GetGroupStart(group));
}

// ---- The two patterns of the SMS program ----

TEST(RegexSmsPatterns, SenderSplitsNameAndAddress) {
  const std::string text = "\"Li Lei\" <+8613800138000>";
  const RegexMatchResult result = Compiled(kSenderPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(result.GroupCount(), 4);
  EXPECT_EQ(Group(text, result, 1), "Li Lei");
  EXPECT_EQ(Group(text, result, 3), "+8613800138000");
}

TEST(RegexSmsPatterns, ValueWithoutQuoteFindsNoMatch) {
  const RegexMatchResult result = Compiled(kSenderPattern).Search("+8613800138000", -1);
  EXPECT_FALSE(result.IsMatched());
  EXPECT_TRUE(result.Values().empty());
  EXPECT_EQ(result.GetGroupStart(1), -1);
}

TEST(RegexSmsPatterns, NameHoldingQuotesRunsToTheLastQuoteBlankBracket) {
  const std::string text = "x\"A \"B\" <b@c>\" <123> tail";
  const RegexMatchResult result = Compiled(kSenderPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(result.GetGroupStart(0), 1);  // the first quote from which the rest matches
  EXPECT_EQ(Group(text, result, 1), "A \"B\" <b@c>");
  EXPECT_EQ(Group(text, result, 3), "123");
  EXPECT_EQ(result.GetGroupEnd(0), 20);  // the text after the match is ignored
}

TEST(RegexSmsPatterns, AnyByteAlternativeMatchesEveryByte) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(Groups("(\\w|\\W)*", all), (Spans{{0, 256}, {255, 256}}));
  // "中文" in code page 936 inside a sender value.
  const std::string text = "\"\xD6\xD0\xCE\xC4\" <\xB5\xE7\xBB\xB0>";
  const RegexMatchResult result = Compiled(kSenderPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(Group(text, result, 1), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Group(text, result, 3), "\xB5\xE7\xBB\xB0");
}

TEST(RegexSmsPatterns, RecipientWithTypeNumber) {
  const std::string text = "\"Han Meimei\" <13900000000> 1";
  const RegexMatchResult result = Compiled(kRecipientPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(result.GroupCount(), 5);
  EXPECT_EQ(Group(text, result, 1), "Han Meimei");
  EXPECT_EQ(Group(text, result, 3), "13900000000");
  EXPECT_EQ(Group(text, result, 5), "1");
}

TEST(RegexSmsPatterns, RecipientWithoutNumberGivesEmptyGroupFive) {
  const std::string text = "\"Han\" <139> ";
  const RegexMatchResult result = Compiled(kRecipientPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(Group(text, result, 3), "139");
  EXPECT_EQ(result.GetGroupStart(5), 12);
  EXPECT_EQ(result.GetGroupEnd(5), 12);
  // No blank after ">": no match at all.
  EXPECT_FALSE(Compiled(kRecipientPattern).Search("\"Han\" <139>", -1).IsMatched());
}

TEST(RegexSmsPatterns, RecipientAddressRunsToTheLastBracketFollowedByBlank) {
  const std::string text = "\"A\" <x> y> 2> 7";
  const RegexMatchResult result = Compiled(kRecipientPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(Group(text, result, 1), "A");
  EXPECT_EQ(Group(text, result, 3), "x> y> 2");
  EXPECT_EQ(Group(text, result, 5), "7");
}

TEST(RegexSmsPatterns, LongLineNeedsNoDeepRecursion) {
  // The greedy group repeats once per byte; the engine keeps that on its own stack.
  std::string text = "\"" + std::string(200000, 'n') + "\" <" + std::string(200000, '1') + ">";
  const RegexMatchResult result = Compiled(kSenderPattern).Search(text, -1);
  ASSERT_TRUE(result.IsMatched());
  EXPECT_EQ(result.GetGroupEnd(1), 200001);
  EXPECT_EQ(result.GetGroupEnd(3), 400004);
}

// ---- Result layout ----

TEST(RegexResult, LayoutOfMatchedAndUnmatchedGroups) {
  const RegexMatchResult result = Compiled("(a)|(b)").Search("xb", -1);
  EXPECT_EQ(result.Values(), (std::vector<int>{1, 2, 1, 2, -1, -1, 1, 2}));
  EXPECT_EQ(result.GetGroupStart(3), -1);  // beyond the array
  EXPECT_EQ(result.GetGroupEnd(-1), -1);
}

TEST(RegexResult, NothingCompiledGivesEmptyResults) {
  CRegexPattern regex;
  EXPECT_FALSE(regex.Compile(nullptr, 0, 0));
  EXPECT_FALSE(regex.IsCompiled());
  EXPECT_TRUE(regex.Search("abc", -1).Values().empty());
}

TEST(RegexResult, StartOutsideTheTextFindsNothing) {
  EXPECT_TRUE(Groups("a*", "aa", 0, 3).empty());
  EXPECT_TRUE(Groups("a*", "aa", 0, -2).empty());
  EXPECT_EQ(Groups("a*", "aa", 0, 2), (Spans{{2, 2}}));
}

// ---- Repeats ----

TEST(RegexRepeat, ZeroCountMatchesEmptyAtTheStart) {
  EXPECT_EQ(Groups("a{0}", "aaa"), (Spans{{0, 0}}));
  EXPECT_EQ(Groups("(a){0}b", "ab"), (Spans{{1, 2}, {-1, -1}}));
}

TEST(RegexRepeat, GreedyRepeatOfEmptyMatchEnds) {
  EXPECT_EQ(Groups("(a?)*", "aa"), (Spans{{0, 2}, {1, 2}}));
  EXPECT_EQ(Groups("(?:a*)*b", "aab"), (Spans{{0, 3}}));
  EXPECT_EQ(Groups("(|a)+", "aa"), (Spans{{0, 2}, {1, 2}}));
  EXPECT_EQ(Groups("(a*)+", "b"), (Spans{{0, 0}, {0, 0}}));
  EXPECT_EQ(Groups("(?:\\b)*x", "x"), (Spans{{0, 1}}));
  // An empty pass beyond the minimum is refused and the body's next way taken instead.
  EXPECT_EQ(Groups("(?:\\w{0,2}?)?b+", "b1b"), (Spans{{0, 3}}));
  EXPECT_EQ(Groups("(?:1*?){2,}", "11_"), (Spans{{0, 2}}));
}

TEST(RegexRepeat, LazyTakesTheFewestRepetitions) {
  EXPECT_EQ(Groups("<.+>", "<a><b>"), (Spans{{0, 6}}));
  EXPECT_EQ(Groups("<.+?>", "<a><b>"), (Spans{{0, 3}}));
  EXPECT_EQ(Groups("a{2,}?", "aaaa"), (Spans{{0, 2}}));
  EXPECT_EQ(Groups("(a|ab)*?c", "ababc"), (Spans{{0, 5}, {2, 4}}));
  EXPECT_EQ(Groups("a??b", "ab"), (Spans{{0, 2}}));
}

TEST(RegexRepeat, PossessiveGivesNothingBack) {
  EXPECT_EQ(Groups("a+a", "aaa"), (Spans{{0, 3}}));
  EXPECT_TRUE(Groups("a++a", "aaa").empty());
  EXPECT_TRUE(Groups("a*+a", "aaa").empty());
  EXPECT_EQ(Groups("a?+b", "ab"), (Spans{{0, 2}}));
  EXPECT_TRUE(Groups("(?>a*)a", "aaa").empty());
}

TEST(RegexRepeat, FixedAndBoundedCounts) {
  EXPECT_EQ(Groups("(a|ab){2}c", "ababc"), (Spans{{0, 5}, {2, 4}}));
  EXPECT_EQ(Groups("a{2}+", "aaa"), (Spans{{0, 2}}));  // the suffix has no effect
  EXPECT_EQ(Groups("a{2,3}", "aaaa"), (Spans{{0, 3}}));
  EXPECT_EQ(Groups("a{3,1}", "aaaa"), (Spans{{0, 3}}));  // an upper bound below becomes n
  EXPECT_EQ(Groups("a{1,0}", "aaaa"), (Spans{{0, 1}}));
  EXPECT_EQ(Groups("a{,2}", "aaa"), (Spans{{0, 2}}));  // an unreadable count is 0
  EXPECT_EQ(Groups("a{2,}", "aaaa"), (Spans{{0, 4}}));
  EXPECT_EQ(Groups("ab{2}", "abbb"), (Spans{{0, 3}}));  // binds to the last byte only
}

// ---- Look-around, back references, groups ----

TEST(RegexLookAround, AheadAndBehind) {
  EXPECT_EQ(Groups("a(?=b)", "acab"), (Spans{{2, 3}}));
  EXPECT_EQ(Groups("a(?!b)", "abac"), (Spans{{2, 3}}));
  EXPECT_EQ(Groups("(?<=ab)c", "acbcabc"), (Spans{{6, 7}}));
  EXPECT_EQ(Groups("(?<!a)c", "acbc"), (Spans{{3, 4}}));
  EXPECT_EQ(Groups("(?<=(a+))b", "xaab"), (Spans{{3, 4}, {1, 3}}));  // of any length
  EXPECT_EQ(Groups("(?=(a+))a*b\\1", "baaabac"), (Spans{{3, 6}, {3, 4}}));
  EXPECT_EQ(Groups("(?!(a))b", "b"), (Spans{{0, 1}, {-1, -1}}));
}

TEST(RegexBackReference, Forms) {
  EXPECT_EQ(Groups("(\\w)\\1", "abccd"), (Spans{{2, 4}, {2, 3}}));
  EXPECT_EQ(Groups("(\\w)\\g1", "abccd"), (Spans{{2, 4}, {2, 3}}));
  EXPECT_EQ(Groups("(\\w)\\g{1}", "abccd"), (Spans{{2, 4}, {2, 3}}));
  EXPECT_EQ(Groups("(?<c>\\w)\\k<c>\\k'c'\\k{c}\\g{c}", "abbbbb"), (Spans{{1, 6}, {1, 2}}));
  EXPECT_EQ(Groups("(a)\\1", "aA", kRegexIgnoreCase), (Spans{{0, 2}, {0, 1}}));
  EXPECT_TRUE(Groups("(a)\\1", "aA").empty());
  EXPECT_TRUE(Groups("(x)?y\\1", "y").empty());  // a group that has not matched fails
  EXPECT_EQ(Groups("(a)|b\\1", "ba"), (Spans{{1, 2}, {1, 2}}));
}

TEST(RegexGroups, NamedGroupsAreNumberedAfterUnnamedOnes) {
  EXPECT_EQ(Groups("(?<year>\\d+)-(\\d+)", "2010-03"), (Spans{{0, 7}, {5, 7}, {0, 4}}));
  EXPECT_EQ(Groups("(?'a'x)(?P<b>y)(z)", "xyz"), (Spans{{0, 3}, {2, 3}, {0, 1}, {1, 2}}));
  // A name used again keeps its first number.
  EXPECT_EQ(Groups("(?<x>a)(?<y>b)(c)(?<x>d)", "abcd"), (Spans{{0, 4}, {2, 3}, {3, 4}, {1, 2}}));
  EXPECT_EQ(Groups("(?:a)(b)", "ab"), (Spans{{0, 2}, {1, 2}}));
}

TEST(RegexGroups, RepeatedGroupKeepsItsLastCapture) {
  EXPECT_EQ(Groups("(\\d)+", "123"), (Spans{{0, 3}, {2, 3}}));
  EXPECT_EQ(Groups("(?:(a)|b)+", "ab"), (Spans{{0, 2}, {0, 1}}));
}

// ---- Case, classes, anchors ----

TEST(RegexCase, IgnoreCaseClassesAndLiterals) {
  EXPECT_EQ(Groups("[a-c]+", "xAbC", kRegexIgnoreCase), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("[A-C]+", "xaBc", kRegexIgnoreCase), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("[^a]", "aAb", kRegexIgnoreCase), (Spans{{2, 3}}));
  EXPECT_EQ(Groups("[x]", "X", kRegexIgnoreCase), (Spans{{0, 1}}));
  EXPECT_EQ(Groups("hello", "HeLLo", kRegexIgnoreCase), (Spans{{0, 5}}));
  EXPECT_EQ(Groups("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", kRegexIgnoreCase),
            (Spans{{0, 26}}));
  EXPECT_EQ(Groups("\\[", "{[", kRegexIgnoreCase), (Spans{{1, 2}}));  // 32 apart, but no letters
  EXPECT_TRUE(Groups("[a-c]", "B").empty());
  // Bytes of 128 and above have no case.
  EXPECT_TRUE(Groups("\xC4", "\xE4", kRegexIgnoreCase).empty());
}

TEST(RegexCase, InlineFlagsHoldForTheirGroup) {
  EXPECT_EQ(Groups("(?i)abc", "xABC"), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("a(?i:b)c", "aBC aBc"), (Spans{{4, 7}}));
  EXPECT_EQ(Groups("a(?i)b|c", "C"), (Spans{{0, 1}}));  // on to the end of the group
  EXPECT_EQ(Groups("(a(?i)b)c", "aBC aBc"), (Spans{{4, 7}, {4, 6}}));
  EXPECT_EQ(Groups("(?-i)a", "Aa", kRegexIgnoreCase), (Spans{{1, 2}}));
  EXPECT_EQ(Groups("(?I-S:a.)", "A\n"), Spans{});
  EXPECT_EQ(Groups("(?is)a.", "A\n"), (Spans{{0, 2}}));
}

TEST(RegexClass, PredefinedAndNamedClasses) {
  EXPECT_EQ(Groups("\\d+", "ab12c"), (Spans{{2, 4}}));
  EXPECT_EQ(Groups("\\D+", "12ab3"), (Spans{{2, 4}}));
  EXPECT_EQ(Groups("\\w+", "#a_1#"), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("\\s+", "a \t\r\nb"), (Spans{{1, 5}}));
  EXPECT_EQ(Groups("\\S+", " ab "), (Spans{{1, 3}}));
  EXPECT_EQ(Groups(".+", "ab\ncd"), (Spans{{0, 2}}));
  EXPECT_EQ(Groups(".+", "ab\ncd", kRegexSingleLine), (Spans{{0, 5}}));
  EXPECT_EQ(Groups("[[:alpha:]]+", "12ab3"), (Spans{{2, 4}}));
  EXPECT_EQ(Groups("[:digit:]+", "ab12"), (Spans{{2, 4}}));
  EXPECT_EQ(Groups("[[:^digit:][:space:]]+", "1a b2"), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("[[:xdigit:]]+", "xyzBEEFg"), (Spans{{3, 7}}));
  EXPECT_EQ(Groups("[[:punct:][:upper:]]+", "ab!A,c"), (Spans{{2, 5}}));
  EXPECT_EQ(Groups("[\\d_-]+", "a1_-2b"), (Spans{{1, 5}}));
  EXPECT_EQ(Groups("[]a]+", "x]a]"), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("[^]a]", "]ab"), (Spans{{2, 3}}));
  EXPECT_EQ(Groups("[a[0-2]]+", "xa12"), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("[\\b]", "a\bb"), (Spans{{1, 2}}));
  EXPECT_EQ(Groups("[\\x80-\\xff]+", "a\x80\xff"), (Spans{{1, 3}}));
}

TEST(RegexAnchor, TextAnchors) {
  EXPECT_EQ(Groups("^a", "aa"), (Spans{{0, 1}}));
  EXPECT_TRUE(Groups("^a", "ba").empty());
  EXPECT_TRUE(Groups("a$", "a\n").empty());  // "$" is the very end without the multiline flag
  EXPECT_EQ(Groups("a\\Z", "a\n"), (Spans{{0, 1}}));
  EXPECT_EQ(Groups("a\\Z", "a\r\n"), (Spans{{0, 1}}));
  EXPECT_TRUE(Groups("a\\z", "a\n").empty());
  EXPECT_EQ(Groups("\\Ab", "b"), (Spans{{0, 1}}));
  EXPECT_EQ(Groups("\\bab\\b", "cab ab"), (Spans{{4, 6}}));
  EXPECT_EQ(Groups("\\Bb", "ab b"), (Spans{{1, 2}}));
}

TEST(RegexAnchor, MultilineAnchorsAtEveryLineEnd) {
  const std::string text = "a\r\nb\rc\nd";
  EXPECT_EQ(AllMatches("^\\w", text, kRegexMultiline), (Spans{{0, 1}, {3, 4}, {5, 6}, {7, 8}}));
  EXPECT_EQ(AllMatches("\\w$", text, kRegexMultiline), (Spans{{0, 1}, {3, 4}, {5, 6}, {7, 8}}));
  EXPECT_EQ(AllMatches("^$", "\r\n\n", kRegexMultiline), (Spans{{0, 0}, {2, 2}, {3, 3}}));
  EXPECT_EQ(AllMatches("^\\w", text), (Spans{{0, 1}}));
}

// A CR LF pair is one line end: no line starts or ends between its CR and its LF, while a lone
// CR or LF ends a line of its own.
TEST(RegexAnchor, MultilineAnchorsTreatCrLfAsOneLineEnd) {
  struct Case {
    const char* pattern;
    std::string text;
    std::vector<int> positions;
  };
  const std::vector<Case> cases = {
      {"^", "a\r\nb\r\rc\n", {0, 3, 5, 6, 8}},
      {"$", "a\r\nb\r\rc\n", {1, 4, 5, 7, 8}},
      {"^", "\n\r", {0, 1, 2}},
      {"$", "\n\r", {0, 1, 2}},
      {"^", "\r\n", {0, 2}},
      {"$", "\r\n", {0, 2}},
  };
  for (const Case& test : cases) {
    Spans expected;
    for (int at : test.positions) expected.emplace_back(at, at);
    EXPECT_EQ(AllMatches(test.pattern, test.text, kRegexMultiline), expected)
        << test.pattern << " in " << testing::PrintToString(test.text);
  }
}

// ---- Direction, search position and successive searches ----

TEST(RegexSearch, RightToLeftFindsTheLastMatch) {
  EXPECT_EQ(Groups("(\\d+)", "a12b345", kRegexRightToLeft), (Spans{{4, 7}, {4, 7}}));
  EXPECT_EQ(Groups("a(b)c", "abcabc", kRegexRightToLeft), (Spans{{3, 6}, {4, 5}}));
  EXPECT_EQ(Groups("ab", "abab", kRegexRightToLeft, 3), (Spans{{0, 2}}));
  // Right to left, a back reference follows its group in the text, not in the pattern.
  EXPECT_EQ(Groups("\\1(\\w)", "aabb", kRegexRightToLeft), (Spans{{2, 4}, {3, 4}}));
  EXPECT_EQ(Groups("\\s+", "a\f\vb", kRegexRightToLeft), (Spans{{1, 3}}));
  EXPECT_EQ(AllMatches("\\d", "1a2b3", kRegexRightToLeft), (Spans{{4, 5}, {2, 3}, {0, 1}}));
}

TEST(RegexSearch, SearchStartAnchorNeedsTheGlobalFlag) {
  EXPECT_EQ(Groups("\\Gb", "abb", kRegexGlobal, 1), (Spans{{1, 2}}));
  EXPECT_TRUE(Groups("\\Gb", "abb", kRegexGlobal, 0).empty());
  EXPECT_EQ(AllMatches("\\G\\d", "12a3", kRegexGlobal), (Spans{{0, 1}, {1, 2}}));
  EXPECT_EQ(Groups("\\Gb", "ab"), (Spans{{1, 2}}));  // asserts nothing without the flag
}

TEST(RegexSearch, SharedContextSkipsEmptyMatchWherePreviousEnded) {
  EXPECT_EQ(AllMatches("a*", "baaa"), (Spans{{0, 0}, {1, 4}}));
  EXPECT_EQ(AllMatches("a|", "ab"), (Spans{{0, 1}, {2, 2}}));
  EXPECT_EQ(AllMatches("\\d+", "1 22 333"), (Spans{{0, 1}, {2, 4}, {5, 8}}));
}

// ---- Lexing ----

TEST(RegexLexing, EscapesAndLiteralRuns) {
  EXPECT_EQ(Groups("\\x41\\x{42}\\u0043\\u{44}", "ABCD"), (Spans{{0, 4}}));
  EXPECT_EQ(Groups("\\t\\n\\r\\f\\v\\a\\e", "\t\n\r\f\v\a\x1b"), (Spans{{0, 7}}));
  EXPECT_EQ(Groups("\\.\\*\\\\", "a.*\\"), (Spans{{1, 4}}));
  EXPECT_EQ(Groups("\\Qa.b(\\E+", "axb a.b((("), (Spans{{4, 10}}));
  EXPECT_EQ(Groups("\\Uab\\E\\Lcd\\E", "abcd ABcd"), (Spans{{5, 9}}));
  EXPECT_EQ(Groups("a(?#any (text)b", "ab"), (Spans{{0, 2}}));
  EXPECT_EQ(Groups("a]}", "a]}"), (Spans{{0, 3}}));
  EXPECT_EQ(Groups(std::string("a\0b", 3), std::string("xa\0b", 4)), (Spans{{1, 4}}));
}

TEST(RegexLexing, ExtendedModeSkipsBlanksAndComments) {
  EXPECT_EQ(Groups(" a b # comment\n c\\ d", "abc d", kRegexExtended), (Spans{{0, 5}}));
  EXPECT_EQ(Groups("[ ]", " ", kRegexExtended), (Spans{{0, 1}}));
  EXPECT_TRUE(Groups("a b", "ab").empty());
}

// ---- Recursion and conditionals ----

TEST(RegexRecursion, BalancedParentheses) {
  const std::string balanced = "\\((?:[^()]|(?R))*\\)";
  EXPECT_EQ(Groups(balanced, "x((a)(b))y"), (Spans{{1, 9}}));
  EXPECT_EQ(Groups(balanced, "((a)"), (Spans{{1, 4}}));
  // Captures made inside the recursion do not outlive it.
  EXPECT_EQ(Groups("(a|b(?R1)c)", "bbacc"), (Spans{{0, 5}, {0, 5}}));
  EXPECT_EQ(Groups("(?<p>\\[(?:\\w|(?R<p>))*\\])", "[a[b]]"), (Spans{{0, 6}, {0, 6}}));
  EXPECT_EQ(Groups("(?'p'<(?:\\w|(?R'p'))*>)", "<<a>>"), (Spans{{0, 5}, {0, 5}}));
}

TEST(RegexConditional, ByGroupNameOrLookAround) {
  EXPECT_EQ(Groups("(<)?\\w+(?(1)>)", "<ab>"), (Spans{{0, 4}, {0, 1}}));
  EXPECT_EQ(Groups("(<)?\\w+(?(1)>)", "ab>"), (Spans{{0, 2}, {-1, -1}}));
  EXPECT_EQ(Groups("(?<q>\")?\\w+(?(<q>)\"|!)", "ab!"), (Spans{{0, 3}, {-1, -1}}));
  EXPECT_EQ(Groups("(?<q>\")?\\w+(?(q)\"|!)", "\"ab\""), (Spans{{0, 4}, {0, 1}}));
  EXPECT_EQ(Groups("(?(?=\\d)\\d+|[a-z]+)", "12"), (Spans{{0, 2}}));
  EXPECT_EQ(Groups("(?(?=\\d)\\d+|[a-z]+)", "ab"), (Spans{{0, 2}}));
  EXPECT_EQ(Groups("(?(?<!a)b|c)", "acb"), (Spans{{1, 2}}));
  EXPECT_EQ(Groups("x(?(?=(y))\\w|z)\\1", "xyy"), (Spans{{0, 3}, {1, 2}}));
}

// ---- Malformed patterns and bounds ----

TEST(RegexRobustness, MalformedPatternsCompileToNothing) {
  const std::string nested(201, '(');
  for (const std::string& pattern :
       std::vector<std::string>{"(",
                                ")",
                                "a)",
                                "[a",
                                "[z-a]",
                                "*a",
                                "a|+",
                                "a**",
                                "a{2",
                                "a{x}",
                                "\\",
                                "(?",
                                "(?z)",
                                "(?#open",
                                "(?<n>a)\\k<m>",
                                "\\k",
                                "\\g{",
                                "(?R2)",
                                "(?R<x>)",
                                "\\x{100}",
                                "\\u41",
                                "\\x{}",
                                "(?(1)a|b|c)",
                                "(?<1a>x)",
                                "[[:nothing:]]",
                                "(?P=n)",
                                "(?i",
                                "(?(?x)a)",
                                nested + "a" + std::string(201, ')')}) {
    CRegexPattern regex;
    EXPECT_FALSE(regex.Compile(pattern.data(), static_cast<int>(pattern.size()), 0)) << pattern;
    EXPECT_TRUE(regex.Search("a(b)c", -1).Values().empty()) << pattern;
  }
  EXPECT_TRUE(Compiled(std::string(200, '(') + "a" + std::string(200, ')')).IsCompiled());
}

TEST(RegexRobustness, HugeNumbersAreHeldAtTheLargestCount) {
  EXPECT_TRUE(Groups("(a)\\99999999999999", "aa").empty());  // a group that does not exist
  EXPECT_TRUE(Groups("a{99999999999}", "aaa").empty());
  EXPECT_EQ(Groups("a{1,99999999999}", "aaa"), (Spans{{0, 3}}));
}

TEST(RegexRobustness, CompileReplacesThePreviousPattern) {
  CRegexPattern regex;
  ASSERT_TRUE(regex.Compile("a", -1, 0));
  EXPECT_FALSE(regex.Compile("(", -1, 0));
  EXPECT_FALSE(regex.Search("a", -1).IsMatched());
  ASSERT_TRUE(regex.Compile("b|a", 1, 0));  // only the given length counts
  EXPECT_EQ(regex.Search("ab", -1).GetGroupStart(0), 1);
}

TEST(RegexRobustness, RunawaySearchesEndAsNoMatch) {
  // Nesting as deep as the text is long stops at the call-depth bound.
  EXPECT_TRUE(Groups("\\((?:[^()]|(?R))*\\)", std::string(100000, '(')).empty());
  EXPECT_EQ(Groups("\\((?:[^()]|(?R))*\\)", std::string(300, '(') + std::string(300, ')')),
            (Spans{{0, 600}}));
  // Backtracking state that would outgrow its bound.
  EXPECT_TRUE(Groups("(?:){100000000}", "").empty());
  EXPECT_TRUE(Groups("a{2147483647}", "aaa").empty());
}

TEST(RegexRobustness, RandomPatternsAndTextsNeverCrash) {
  std::mt19937 random(20100307);
  const std::string alphabet = "ab()[]{}|*+?.^$\\-:<>=!#'PRgkQEdwsbBx019,iu";
  for (int round = 0; round < 3000; ++round) {
    std::string pattern;
    for (int i = random() % 16; i > 0; --i) pattern += alphabet[random() % alphabet.size()];
    std::string text;
    for (int i = random() % 12; i > 0; --i) text += static_cast<char>(random() % 256);
    for (int flags : {0, 0x3f}) {
      CRegexPattern regex;
      if (!regex.Compile(pattern.data(), static_cast<int>(pattern.size()), flags)) continue;
      const RegexMatchResult result = regex.Search(text, -1);
      if (!result.IsMatched()) continue;
      for (int group = 0; group <= result.GroupCount(); ++group) {
        const int start = result.GetGroupStart(group);
        ASSERT_LE(start, result.GetGroupEnd(group)) << pattern;
        ASSERT_LE(result.GetGroupEnd(group), static_cast<int>(text.size())) << pattern;
      }
    }
  }
}

}  // namespace
