#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The match nodes of the regular-expression engine and the working state they share.
//
// Every node has two operations: Match tries the node's first way at the current position and
// MatchNext its next way after something later in the pattern failed. A node keeps what it
// needs to backtrack on the context's integer stack, last in first out, so the engine calls
// itself only as deep as the pattern nests, never as deep as the text is long:
// - Match succeeds with its state pushed and the position moved, or fails leaving the stacks
//   and the position as they were;
// - MatchNext finds another way (its state replaced), or fails with its state popped, its
//   captures undone and the position back where its Match began.

// One recorded capture: the group, the positions at its opening and its closing (the opening
// is the higher one in a right-to-left match) and the index of the group's capture before it.
struct RegexCapture {
  int group;
  int start;
  int end;
  int previous;
};

// Thrown inside a search when the stacks or the call depth reach their limits; the search
// catches it and reports no match instead of exhausting memory or the machine stack.
struct RegexMatchAborted {};

// The working state of a search. Passing the same context to successive searches of one text
// makes a search skip an empty match where the previous match ended.
class RegexMatchContext {
 public:
  static constexpr std::size_t kMaxStackEntries = std::size_t{1} << 24;  // 64 MB
  static constexpr std::size_t kMaxCaptures = std::size_t{1} << 22;      // 64 MB
  static constexpr int kMaxCallDepth = 4000;

  // Sets up a search of `subjectLength` bytes at `subject` that began at `start`.
  void Begin(const unsigned char* subject, int subjectLength, int start, int groupCount);
  // Empties the stacks for an attempt that starts at `attemptStart`.
  void Restart(int attemptStart);

  void Push(int value);
  int Pop();
  std::size_t StackSize() const { return stack_.size(); }
  // Drops the backtracking points above `size`, keeping the captures they made.
  void TruncateStack(std::size_t size) { stack_.resize(size); }

  void PushCapture(int group, int start, int end);
  const RegexCapture& TopCapture() const { return captures_.back(); }
  void PopCapture();
  std::size_t CaptureCount() const { return captures_.size(); }
  void UndoCapturesTo(std::size_t count);
  // The group's capture in effect, or null when the group has not matched.
  const RegexCapture* LatestCapture(int group) const;

  // A recursion hides the captures it made from the rest of the match: Stash pushes the
  // groups' current captures and brings back `outer`; Unstash reverses it and returns the
  // captures it replaced.
  std::vector<int> LatestCaptures() const { return latest_; }
  void StashCaptures(const std::vector<int>& outer);
  std::vector<int> UnstashCaptures();

  // The result array: 1, the group count, then start and end of groups 0..n (-1 for a group
  // that took no part).
  std::vector<int> Result() const;

  void EnterCall();
  void LeaveCall() { --callDepth_; }

  const unsigned char* text = nullptr;
  int length = 0;
  int position = 0;
  int searchStart = 0;
  int previousMatchEnd = -1;  // where the previous search with this context ended, or -1

 private:
  std::vector<int> stack_;
  std::vector<RegexCapture> captures_;
  std::vector<int> latest_;  // per group: index of its capture in effect, or -1
  int callDepth_ = 0;
};

class RegexNode {
 public:
  virtual ~RegexNode() = default;
  bool Match(RegexMatchContext& context) const;
  bool MatchNext(RegexMatchContext& context) const;

 private:
  virtual bool First(RegexMatchContext& context) const = 0;
  virtual bool Next(RegexMatchContext& context) const = 0;
};

using RegexByteSet = std::bitset<256>;

class RegexEmptyNode final : public RegexNode {
  bool First(RegexMatchContext&) const override { return true; }
  bool Next(RegexMatchContext&) const override { return false; }
};

class RegexSequenceNode final : public RegexNode {
 public:
  // `elements` in the order they are matched (reversed already for a right-to-left pattern).
  explicit RegexSequenceNode(std::vector<const RegexNode*> elements)
      : elements_(std::move(elements)) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;
  bool Run(RegexMatchContext& context, std::size_t matched, bool backtrack) const;

  std::vector<const RegexNode*> elements_;
};

class RegexAlternationNode final : public RegexNode {
 public:
  explicit RegexAlternationNode(std::vector<const RegexNode*> branches)
      : branches_(std::move(branches)) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;
  bool TryFrom(RegexMatchContext& context, std::size_t branch) const;

  std::vector<const RegexNode*> branches_;
};

class RegexLiteralNode final : public RegexNode {
 public:
  RegexLiteralNode(std::string text, bool ignoreCase, bool rightToLeft);

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;

  std::string text_;  // case-folded when ignoring case
  bool ignoreCase_;
  bool rightToLeft_;
};

// Character classes of every kind (bracketed, named, ".", "\w" and the others) test one byte
// against a set of 256.
class RegexClassNode final : public RegexNode {
 public:
  RegexClassNode(const RegexByteSet& bytes, bool rightToLeft)
      : bytes_(bytes), rightToLeft_(rightToLeft) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;

  RegexByteSet bytes_;
  bool rightToLeft_;
};

enum class RegexAnchorKind {
  kTextStart,
  kTextEnd,
  kTextEndOrFinalNewline,
  kLineStart,
  kLineEnd,
  kWordBoundary,
  kNotWordBoundary,
  kSearchStart,
};

class RegexAnchorNode final : public RegexNode {
 public:
  explicit RegexAnchorNode(RegexAnchorKind kind) : kind_(kind) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext&) const override { return false; }

  RegexAnchorKind kind_;
};

// Fixed ({n}: minimum equal to maximum), greedy and lazy repeats. A possessive repeat is a
// greedy one inside a RegexIndependentNode.
class RegexRepeatNode final : public RegexNode {
 public:
  RegexRepeatNode(const RegexNode* body, int minimum, int maximum, bool greedy)
      : body_(body), minimum_(minimum), maximum_(maximum), greedy_(greedy) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;
  bool Run(RegexMatchContext& context, int count, bool backtrack) const;
  bool MatchRepetition(RegexMatchContext& context, int number) const;
  bool NextRepetition(RegexMatchContext& context, int number) const;

  const RegexNode* body_;
  int minimum_;
  int maximum_;
  bool greedy_;
};

// (?>...): the body's first way only, its backtracking points dropped.
class RegexIndependentNode final : public RegexNode {
 public:
  explicit RegexIndependentNode(const RegexNode* body) : body_(body) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;

  const RegexNode* body_;
};

class RegexLookAroundNode final : public RegexNode {
 public:
  // `body` is built right to left for a look-behind.
  RegexLookAroundNode(const RegexNode* body, bool negative) : body_(body), negative_(negative) {}

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;

  const RegexNode* body_;
  bool negative_;
};

// The fields below that name a group are filled in by the parser once every group is numbered.

class RegexCaptureNode final : public RegexNode {
 public:
  explicit RegexCaptureNode(const RegexNode* inner) : body(inner) {}

  const RegexNode* body;
  int group = 0;

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;
};

class RegexBackReferenceNode final : public RegexNode {
 public:
  RegexBackReferenceNode(bool ignoreCase, bool rightToLeft)
      : ignoreCase_(ignoreCase), rightToLeft_(rightToLeft) {}

  int group = 0;

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;

  bool ignoreCase_;
  bool rightToLeft_;
};

// (?(n)yes|no) chooses by whether group n has matched, (?(?=...)yes|no) by a look-around.
class RegexConditionalNode final : public RegexNode {
 public:
  RegexConditionalNode(const RegexNode* condition, const RegexNode* yes, const RegexNode* no)
      : condition_(condition), yes_(yes), no_(no) {}

  int group = 0;  // used when there is no look-around condition

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;
  bool ConditionHolds(RegexMatchContext& context) const;

  const RegexNode* condition_;
  const RegexNode* yes_;
  const RegexNode* no_;
};

// Runs a group (or, for group 0, the whole pattern) again at the position. Captures made
// inside the recursion do not outlive it.
class RegexRecursionNode final : public RegexNode {
 public:
  int group = 0;
  const RegexNode* target = nullptr;

 private:
  bool First(RegexMatchContext& context) const override;
  bool Next(RegexMatchContext& context) const override;
};

// Lower or upper case of an ASCII letter; every other byte as it is. Bytes of 128 and above
// are parts of multibyte characters and have no case here.
unsigned char RegexLowerCase(unsigned char c);
unsigned char RegexUpperCase(unsigned char c);

// A letter, digit or "_": the bytes of "\w" and of the word boundaries.
bool IsRegexWordByte(int c);
