#include "device/sms/regex_nodes.h"

#include <algorithm>

unsigned char RegexLowerCase(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

unsigned char RegexUpperCase(unsigned char c) {
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool IsRegexWordByte(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

namespace {

bool IsWordByte(const RegexMatchContext& context, int index) {
  return index >= 0 && index < context.length && IsRegexWordByte(context.text[index]);
}

// Compares `length` bytes of the text at `at` with `expected`, folding the text's case when
// `ignoreCase` (the expected bytes are folded already).
bool BytesEqual(const RegexMatchContext& context, int at, const unsigned char* expected, int length,
                bool ignoreCase) {
  const unsigned char* actual = context.text + at;
  for (int i = 0; i < length; ++i) {
    const unsigned char c = ignoreCase ? RegexLowerCase(actual[i]) : actual[i];
    if (c != expected[i]) return false;
  }
  return true;
}

// Start of the `length` bytes that a match of that many bytes covers from the position, or -1
// when the text has no room for them.
int SpanStart(const RegexMatchContext& context, int length, bool rightToLeft) {
  if (rightToLeft) return context.position >= length ? context.position - length : -1;
  return context.length - context.position >= length ? context.position : -1;
}

void Advance(RegexMatchContext& context, int length, bool rightToLeft) {
  context.position += rightToLeft ? -length : length;
}

}  // namespace

// ---- Context ----

void RegexMatchContext::Begin(const unsigned char* subject, int subjectLength, int start,
                              int groupCount) {
  text = subject;
  length = subjectLength;
  searchStart = start;
  latest_.assign(groupCount + 1, -1);
}

void RegexMatchContext::Restart(int attemptStart) {
  position = attemptStart;
  stack_.clear();
  captures_.clear();
  std::fill(latest_.begin(), latest_.end(), -1);
  callDepth_ = 0;
}

void RegexMatchContext::Push(int value) {
  if (stack_.size() >= kMaxStackEntries) throw RegexMatchAborted{};
  stack_.push_back(value);
}

int RegexMatchContext::Pop() {
  const int value = stack_.back();
  stack_.pop_back();
  return value;
}

void RegexMatchContext::PushCapture(int group, int start, int end) {
  if (captures_.size() >= kMaxCaptures) throw RegexMatchAborted{};
  captures_.push_back({group, start, end, latest_[group]});
  latest_[group] = static_cast<int>(captures_.size()) - 1;
}

void RegexMatchContext::PopCapture() {
  latest_[captures_.back().group] = captures_.back().previous;
  captures_.pop_back();
}

void RegexMatchContext::UndoCapturesTo(std::size_t count) {
  while (captures_.size() > count) PopCapture();
}

const RegexCapture* RegexMatchContext::LatestCapture(int group) const {
  if (group < 0 || group >= static_cast<int>(latest_.size()) || latest_[group] < 0) return nullptr;
  return &captures_[latest_[group]];
}

void RegexMatchContext::StashCaptures(const std::vector<int>& outer) {
  for (int index : latest_) Push(index);
  latest_ = outer;
}

std::vector<int> RegexMatchContext::UnstashCaptures() {
  std::vector<int> outer = latest_;
  for (auto slot = latest_.rbegin(); slot != latest_.rend(); ++slot) *slot = Pop();
  return outer;
}

std::vector<int> RegexMatchContext::Result() const {
  const int groupCount = static_cast<int>(latest_.size()) - 1;
  std::vector<int> result{1, groupCount};
  for (int group = 0; group <= groupCount; ++group) {
    const RegexCapture* capture = LatestCapture(group);
    result.push_back(capture ? std::min(capture->start, capture->end) : -1);
    result.push_back(capture ? std::max(capture->start, capture->end) : -1);
  }
  return result;
}

void RegexMatchContext::EnterCall() {
  if (callDepth_ >= kMaxCallDepth) throw RegexMatchAborted{};
  ++callDepth_;
}

// ---- Nodes ----

namespace {

class CallScope {
 public:
  explicit CallScope(RegexMatchContext& context) : context_(context) { context_.EnterCall(); }
  ~CallScope() { context_.LeaveCall(); }
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;

 private:
  RegexMatchContext& context_;
};

}  // namespace

bool RegexNode::Match(RegexMatchContext& context) const {
  CallScope scope(context);
  return First(context);
}

bool RegexNode::MatchNext(RegexMatchContext& context) const {
  CallScope scope(context);
  return Next(context);
}

bool RegexSequenceNode::First(RegexMatchContext& context) const { return Run(context, 0, false); }

bool RegexSequenceNode::Next(RegexMatchContext& context) const {
  return Run(context, elements_.size(), true);
}

// `matched` elements hold a way; going forward matches the next element, backtracking asks the
// last matched element for its next way.
bool RegexSequenceNode::Run(RegexMatchContext& context, std::size_t matched, bool backtrack) const {
  for (;;) {
    if (backtrack) {
      if (matched == 0) return false;
      if (elements_[matched - 1]->MatchNext(context)) {
        backtrack = false;
      } else {
        --matched;
      }
    } else if (matched == elements_.size()) {
      return true;
    } else if (elements_[matched]->Match(context)) {
      ++matched;
    } else {
      backtrack = true;
    }
  }
}

bool RegexAlternationNode::First(RegexMatchContext& context) const { return TryFrom(context, 0); }

bool RegexAlternationNode::Next(RegexMatchContext& context) const {
  const int branch = context.Pop();
  if (branches_[branch]->MatchNext(context)) {
    context.Push(branch);
    return true;
  }
  return TryFrom(context, branch + 1);
}

bool RegexAlternationNode::TryFrom(RegexMatchContext& context, std::size_t branch) const {
  for (; branch < branches_.size(); ++branch) {
    if (branches_[branch]->Match(context)) {
      context.Push(static_cast<int>(branch));
      return true;
    }
  }
  return false;
}

RegexLiteralNode::RegexLiteralNode(std::string text, bool ignoreCase, bool rightToLeft)
    : text_(std::move(text)), ignoreCase_(ignoreCase), rightToLeft_(rightToLeft) {
  if (ignoreCase_) {
    for (char& c : text_) c = static_cast<char>(RegexLowerCase(static_cast<unsigned char>(c)));
  }
}

bool RegexLiteralNode::First(RegexMatchContext& context) const {
  const int length = static_cast<int>(text_.size());
  const int start = SpanStart(context, length, rightToLeft_);
  if (start < 0 || !BytesEqual(context, start, reinterpret_cast<const unsigned char*>(text_.data()),
                               length, ignoreCase_)) {
    return false;
  }
  Advance(context, length, rightToLeft_);
  return true;
}

bool RegexLiteralNode::Next(RegexMatchContext& context) const {
  Advance(context, -static_cast<int>(text_.size()), rightToLeft_);
  return false;
}

bool RegexClassNode::First(RegexMatchContext& context) const {
  const int start = SpanStart(context, 1, rightToLeft_);
  if (start < 0 || !bytes_[context.text[start]]) return false;
  Advance(context, 1, rightToLeft_);
  return true;
}

bool RegexClassNode::Next(RegexMatchContext& context) const {
  Advance(context, -1, rightToLeft_);
  return false;
}

bool RegexAnchorNode::First(RegexMatchContext& context) const {
  const int at = context.position;
  const int length = context.length;
  const unsigned char* text = context.text;
  switch (kind_) {
    case RegexAnchorKind::kTextStart:
      return at == 0;
    case RegexAnchorKind::kTextEnd:
      return at == length;
    case RegexAnchorKind::kTextEndOrFinalNewline:
      return at == length || (at == length - 1 && text[at] == '\n') ||
             (at == length - 2 && text[at] == '\r' && text[at + 1] == '\n');
    case RegexAnchorKind::kLineStart:
      return at == 0 || text[at - 1] == '\n' ||
             (text[at - 1] == '\r' && (at == length || text[at] != '\n'));
    case RegexAnchorKind::kLineEnd:
      return at == length || text[at] == '\r' ||
             (text[at] == '\n' && (at == 0 || text[at - 1] != '\r'));
    case RegexAnchorKind::kWordBoundary:
      return IsWordByte(context, at - 1) != IsWordByte(context, at);
    case RegexAnchorKind::kNotWordBoundary:
      return IsWordByte(context, at - 1) == IsWordByte(context, at);
    case RegexAnchorKind::kSearchStart:
      return at == context.searchStart;
  }
  return false;
}

// The stack holds, per repetition, the body's state and the position the repetition began at,
// then the count of repetitions on top.
bool RegexRepeatNode::First(RegexMatchContext& context) const { return Run(context, 0, false); }

bool RegexRepeatNode::Next(RegexMatchContext& context) const {
  const int count = context.Pop();
  if (!greedy_ && count < maximum_ && MatchRepetition(context, count + 1)) {
    context.Push(count + 1);
    return true;
  }
  return Run(context, count, true);
}

// Going forward fills up to the minimum, then (greedy) takes as many more as match.
// Backtracking asks the last repetition for its next way; a greedy repeat whose last
// repetition has none stops one short when that still reaches the minimum.
bool RegexRepeatNode::Run(RegexMatchContext& context, int count, bool backtrack) const {
  for (;;) {
    if (backtrack) {
      if (count == 0) return false;
      if (NextRepetition(context, count)) {
        backtrack = false;
        continue;
      }
      --count;
      if (greedy_ && count >= minimum_) break;
    } else if (count < minimum_) {
      if (MatchRepetition(context, count + 1)) {
        ++count;
      } else {
        backtrack = true;
      }
    } else {
      while (greedy_ && count < maximum_ && MatchRepetition(context, count + 1)) ++count;
      break;
    }
  }
  context.Push(count);
  return true;
}

// Repetitions beyond the minimum must move the position: an empty one asks the body for its
// next way until one moves, and when none does the repetition fails, so that an expression
// that can match empty text never repeats forever.
bool RegexRepeatNode::MatchRepetition(RegexMatchContext& context, int number) const {
  const int start = context.position;
  if (!body_->Match(context)) return false;
  while (number > minimum_ && context.position == start) {
    if (!body_->MatchNext(context)) return false;
  }
  context.Push(start);
  return true;
}

bool RegexRepeatNode::NextRepetition(RegexMatchContext& context, int number) const {
  const int start = context.Pop();
  while (body_->MatchNext(context)) {
    if (number <= minimum_ || context.position != start) {
      context.Push(start);
      return true;
    }
  }
  return false;
}

bool RegexIndependentNode::First(RegexMatchContext& context) const {
  const std::size_t stackSize = context.StackSize();
  const std::size_t captureCount = context.CaptureCount();
  const int start = context.position;
  if (!body_->Match(context)) return false;
  context.TruncateStack(stackSize);
  context.Push(static_cast<int>(captureCount));
  context.Push(start);
  return true;
}

bool RegexIndependentNode::Next(RegexMatchContext& context) const {
  context.position = context.Pop();
  context.UndoCapturesTo(context.Pop());
  return false;
}

bool RegexLookAroundNode::First(RegexMatchContext& context) const {
  const std::size_t stackSize = context.StackSize();
  const std::size_t captureCount = context.CaptureCount();
  const int start = context.position;
  const bool matched = body_->Match(context);
  if (matched) {
    context.TruncateStack(stackSize);
    context.position = start;
  }
  if (negative_) {
    context.UndoCapturesTo(captureCount);
    return !matched;
  }
  if (matched) context.Push(static_cast<int>(captureCount));
  return matched;
}

bool RegexLookAroundNode::Next(RegexMatchContext& context) const {
  if (!negative_) context.UndoCapturesTo(context.Pop());
  return false;
}

bool RegexCaptureNode::First(RegexMatchContext& context) const {
  const int start = context.position;
  if (!body->Match(context)) return false;
  context.PushCapture(group, start, context.position);
  return true;
}

bool RegexCaptureNode::Next(RegexMatchContext& context) const {
  const int start = context.TopCapture().start;
  context.PopCapture();
  if (!body->MatchNext(context)) return false;
  context.PushCapture(group, start, context.position);
  return true;
}

bool RegexBackReferenceNode::First(RegexMatchContext& context) const {
  const RegexCapture* capture = context.LatestCapture(group);
  if (!capture) return false;
  const int from = std::min(capture->start, capture->end);
  const int length = std::max(capture->start, capture->end) - from;
  const int start = SpanStart(context, length, rightToLeft_);
  if (start < 0) return false;
  for (int i = 0; i < length; ++i) {
    const unsigned char expected = context.text[from + i];
    const unsigned char actual = context.text[start + i];
    if (ignoreCase_ ? RegexLowerCase(expected) != RegexLowerCase(actual) : expected != actual)
      return false;
  }
  Advance(context, length, rightToLeft_);
  context.Push(length);
  return true;
}

bool RegexBackReferenceNode::Next(RegexMatchContext& context) const {
  Advance(context, -context.Pop(), rightToLeft_);
  return false;
}

bool RegexConditionalNode::ConditionHolds(RegexMatchContext& context) const {
  if (condition_) return condition_->Match(context);
  return context.LatestCapture(group) != nullptr;
}

// The stack holds the condition's state (when it held and is a look-around), the branch's
// state and which branch was taken.
bool RegexConditionalNode::First(RegexMatchContext& context) const {
  const bool holds = ConditionHolds(context);
  if (!(holds ? yes_ : no_)->Match(context)) {
    if (holds && condition_) condition_->MatchNext(context);
    return false;
  }
  context.Push(holds);
  return true;
}

bool RegexConditionalNode::Next(RegexMatchContext& context) const {
  const bool holds = context.Pop() != 0;
  if ((holds ? yes_ : no_)->MatchNext(context)) {
    context.Push(holds);
    return true;
  }
  if (holds && condition_) condition_->MatchNext(context);
  return false;
}

bool RegexRecursionNode::First(RegexMatchContext& context) const {
  const std::vector<int> outer = context.LatestCaptures();
  if (!target->Match(context)) return false;
  context.StashCaptures(outer);
  return true;
}

bool RegexRecursionNode::Next(RegexMatchContext& context) const {
  const std::vector<int> outer = context.UnstashCaptures();
  if (!target->MatchNext(context)) return false;
  context.StashCaptures(outer);
  return true;
}
