#include "device/sms/regex_parser.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <optional>
#include <tuple>
#include <utility>

#include "device/sms/regex_lexer.h"

namespace {

// Deeper nesting of groups and classes is refused, so that neither the parser nor a match can
// run out of machine stack.
constexpr int kMaxNesting = 200;

bool IsNameChar(int c) {
  return IsDecimalDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// ---- Byte sets ----

template <typename Test>
RegexByteSet SetOf(Test test) {
  RegexByteSet set;
  for (int c = 0; c < 256; ++c) set[c] = test(c) != 0;
  return set;
}

RegexByteSet RangeSet(unsigned char low, unsigned char high) {
  RegexByteSet set;
  for (int c = low; c <= high; ++c) set[c] = true;
  return set;
}

// "\d", "\w", "\s", their negations "\D", "\W", "\S", and ".".
RegexByteSet PredefinedSet(unsigned char name, bool rightToLeft, bool singleLine) {
  RegexByteSet set;
  switch (RegexLowerCase(name)) {
    case 'd':
      set = RangeSet('0', '9');
      break;
    case 'w':
      set = SetOf(IsRegexWordByte);
      break;
    case 's':
      set[' '] = set['\t'] = set['\r'] = set['\n'] = true;
      if (rightToLeft) set['\f'] = set['\v'] = true;
      break;
    case '.':
      set.set();
      set['\n'] = singleLine;
      return set;
  }
  return name >= 'A' && name <= 'Z' ? ~set : set;
}

// The C library's character-type tests of "[:name:]", applied to every byte value.
std::optional<RegexByteSet> NamedSet(const std::string& name) {
  using Test = int (*)(int);
  static const std::pair<const char*, Test> kTests[] = {
      {"alpha", [](int c) { return std::isalpha(c); }},
      {"digit", [](int c) { return std::isdigit(c); }},
      {"alnum", [](int c) { return std::isalnum(c); }},
      {"space", [](int c) { return std::isspace(c); }},
      {"upper", [](int c) { return std::isupper(c); }},
      {"lower", [](int c) { return std::islower(c); }},
      {"punct", [](int c) { return std::ispunct(c); }},
      {"xdigit", [](int c) { return std::isxdigit(c); }},
      {"cntrl", [](int c) { return std::iscntrl(c); }},
      {"print", [](int c) { return std::isprint(c); }},
      {"graph", [](int c) { return std::isgraph(c); }}};
  for (const auto& [testName, test] : kTests) {
    if (name == testName) return SetOf(test);
  }
  return std::nullopt;
}

// ---- Parser ----

// What a group sees of the flags: inline flags change them for the rest of the group.
struct Scope {
  int flags;
  bool rightToLeft;

  bool Has(int flag) const { return (flags & flag) != 0; }
};

// An atom is a node, a single plain byte (that may join its neighbours in one literal), or an
// inline flag group that made no node.
struct Atom {
  const RegexNode* node = nullptr;
  unsigned char byte = 0;
  bool flagsOnly = false;
};

struct Quantifier {
  int minimum = 0;
  int maximum = 0;
  bool lazy = false;
  bool possessive = false;
};

class RegexParser {
 public:
  RegexParser(std::string_view pattern, int flags)
      : lexer_(pattern, (flags & kRegexExtended) != 0), flags_(flags) {}

  ParsedRegex Parse();

 private:
  // Counts one level of group or class nesting for as long as it lives.
  class Nesting {
   public:
    explicit Nesting(int& depth) : depth_(depth) {
      if (++depth_ > kMaxNesting) ThrowMalformedPattern();
    }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    int& depth_;
  };

  template <typename T, typename... Args>
  T* Make(Args&&... args) {
    result_.nodes.push_back(std::make_unique<T>(std::forward<Args>(args)...));
    return static_cast<T*>(result_.nodes.back().get());
  }

  std::vector<const RegexNode*> ParseBranches(Scope& scope);
  const RegexNode* ParseAlternation(Scope& scope);
  const RegexNode* ParseSequence(Scope& scope);
  Atom ParseAtom(Scope& scope);
  bool ParseQuantifier(Quantifier& quantifier);
  const RegexNode* Quantify(const RegexNode* node, const Quantifier& quantifier);
  const RegexNode* ParseEscape(unsigned char name, const Scope& scope);
  Atom ParseGroup(Scope& scope);
  const RegexNode* ParseBody(int flags, bool rightToLeft);
  const RegexNode* ParseLookAround(const Scope& scope, bool behind, bool negative);
  const RegexNode* ParseLookAroundAfterQuestion(const Scope& scope);
  const RegexNode* ParseNamedCapture(const Scope& scope, char terminator);
  const RegexNode* ParseRecursion();
  const RegexNode* ParseConditional(const Scope& scope);
  Atom ParseInlineFlags(Scope& scope, int first);
  const RegexNode* ParseBracket(const Scope& scope);
  RegexByteSet ParseClassBody(const Scope& scope);
  RegexByteSet ParseNamedClass();
  bool RangeFollows() const;
  const RegexNode* Predefined(unsigned char name, const Scope& scope);
  const RegexNode* BackReference(const Scope& scope, int group);
  const RegexNode* NamedBackReference(const Scope& scope);
  const RegexNode* NumberedBackReference(const Scope& scope);
  std::string ReadName(char terminator);
  int ReadNumber();
  int ReadDigits(int value);
  void ExpectClose();
  void ReferToName(int* slot, const std::string& name) { nameReferences_.emplace_back(slot, name); }
  void ResolveGroups();

  RegexLexer lexer_;
  int flags_;
  int nesting_ = 0;
  ParsedRegex result_;
  int unnamedGroups_ = 0;
  std::vector<std::string> names_;  // names of named groups in order of first appearance
  std::vector<std::pair<int*, std::string>> nameReferences_;
  std::vector<RegexCaptureNode*> captures_;
  std::vector<RegexRecursionNode*> recursions_;
  std::map<std::tuple<unsigned char, bool, bool>, const RegexNode*> predefined_;
};

ParsedRegex RegexParser::Parse() {
  Scope scope{flags_, (flags_ & kRegexRightToLeft) != 0};
  const RegexNode* root = ParseAlternation(scope);
  // What stops the top-level alternation short of the end is a ")" that closes nothing.
  if (lexer_.Next(false).kind != RegexTokenKind::kEnd) ThrowMalformedPattern();
  result_.root = root;
  ResolveGroups();
  return std::move(result_);
}

std::vector<const RegexNode*> RegexParser::ParseBranches(Scope& scope) {
  std::vector<const RegexNode*> branches{ParseSequence(scope)};
  while (lexer_.Peek(false).IsMeta('|')) {
    lexer_.Next(false);
    branches.push_back(ParseSequence(scope));
  }
  return branches;
}

const RegexNode* RegexParser::ParseAlternation(Scope& scope) {
  std::vector<const RegexNode*> branches = ParseBranches(scope);
  if (branches.size() == 1) return branches.front();
  return Make<RegexAlternationNode>(std::move(branches));
}

const RegexNode* RegexParser::ParseSequence(Scope& scope) {
  std::vector<const RegexNode*> elements;
  std::string literal;
  bool literalIgnoresCase = false;
  const auto flushLiteral = [&] {
    if (literal.empty()) return;
    elements.push_back(Make<RegexLiteralNode>(literal, literalIgnoresCase, scope.rightToLeft));
    literal.clear();
  };
  for (;;) {
    const RegexToken next = lexer_.Peek(false);
    if (next.kind == RegexTokenKind::kEnd || next.IsMeta('|') || next.IsMeta(')')) break;
    Atom atom = ParseAtom(scope);
    if (atom.flagsOnly) continue;
    Quantifier quantifier;
    const bool quantified = ParseQuantifier(quantifier);
    const bool ignoreCase = scope.Has(kRegexIgnoreCase);
    if (!atom.node && !quantified) {
      if (!literal.empty() && ignoreCase != literalIgnoresCase) flushLiteral();
      literalIgnoresCase = ignoreCase;
      literal += static_cast<char>(atom.byte);
      continue;
    }
    if (!atom.node) {
      atom.node = Make<RegexLiteralNode>(std::string(1, static_cast<char>(atom.byte)), ignoreCase,
                                         scope.rightToLeft);
    }
    flushLiteral();
    elements.push_back(quantified ? Quantify(atom.node, quantifier) : atom.node);
  }
  flushLiteral();
  if (scope.rightToLeft) std::reverse(elements.begin(), elements.end());
  if (elements.empty()) return Make<RegexEmptyNode>();
  if (elements.size() == 1) return elements.front();
  return Make<RegexSequenceNode>(std::move(elements));
}

Atom RegexParser::ParseAtom(Scope& scope) {
  const RegexToken token = lexer_.Next(false);
  switch (token.kind) {
    case RegexTokenKind::kEnd:
      ThrowMalformedPattern();  // the caller stops at the end, so this is never reached
    case RegexTokenKind::kChar:
      return {nullptr, token.ch};
    case RegexTokenKind::kEscape:
      return {ParseEscape(token.ch, scope)};
    case RegexTokenKind::kMeta:
      break;
  }
  const bool multiline = scope.Has(kRegexMultiline);
  switch (token.ch) {
    case '(':
      return ParseGroup(scope);
    case '[':
      return {ParseBracket(scope)};
    case '.':
      return {Predefined('.', scope)};
    case '^':
      return {Make<RegexAnchorNode>(multiline ? RegexAnchorKind::kLineStart
                                              : RegexAnchorKind::kTextStart)};
    case '$':
      return {
          Make<RegexAnchorNode>(multiline ? RegexAnchorKind::kLineEnd : RegexAnchorKind::kTextEnd)};
    case ']':
    case '}':
      return {nullptr, token.ch};  // closes nothing, so it stands for itself
    default:
      ThrowMalformedPattern();  // a quantifier that follows nothing
  }
}

bool RegexParser::ParseQuantifier(Quantifier& quantifier) {
  const RegexToken token = lexer_.Peek(false);
  if (token.kind != RegexTokenKind::kMeta) return false;
  switch (token.ch) {
    case '*':
      quantifier = {0, INT_MAX};
      break;
    case '+':
      quantifier = {1, INT_MAX};
      break;
    case '?':
      quantifier = {0, 1};
      break;
    case '{':
      break;
    default:
      return false;
  }
  lexer_.Next(false);
  if (token.ch == '{') {
    // {n}, {n,} and {n,m}; a count that cannot be read is 0, a missing upper bound unbounded.
    quantifier.minimum = std::max(ReadNumber(), 0);
    quantifier.maximum = quantifier.minimum;
    if (lexer_.TakeRaw(',')) {
      const int maximum = ReadNumber();
      quantifier.maximum = maximum < 0 ? INT_MAX : maximum;
    }
    if (!lexer_.TakeRaw('}')) ThrowMalformedPattern();
    quantifier.maximum = std::max(quantifier.maximum, quantifier.minimum);
  }
  const RegexToken suffix = lexer_.Peek(false);
  if (suffix.IsMeta('?') || suffix.IsMeta('+')) {
    lexer_.Next(false);
    quantifier.lazy = suffix.ch == '?';
    quantifier.possessive = suffix.ch == '+';
  }
  return true;
}

const RegexNode* RegexParser::Quantify(const RegexNode* node, const Quantifier& quantifier) {
  if (quantifier.maximum == 0) return Make<RegexEmptyNode>();
  if (quantifier.minimum == quantifier.maximum) {
    if (quantifier.minimum == 1) return node;
    return Make<RegexRepeatNode>(node, quantifier.minimum, quantifier.maximum, true);
  }
  const RegexNode* repeat =
      Make<RegexRepeatNode>(node, quantifier.minimum, quantifier.maximum, !quantifier.lazy);
  return quantifier.possessive ? Make<RegexIndependentNode>(repeat) : repeat;
}

const RegexNode* RegexParser::ParseEscape(unsigned char name, const Scope& scope) {
  switch (name) {
    case 'A':
      return Make<RegexAnchorNode>(RegexAnchorKind::kTextStart);
    case 'z':
      return Make<RegexAnchorNode>(RegexAnchorKind::kTextEnd);
    case 'Z':
      return Make<RegexAnchorNode>(RegexAnchorKind::kTextEndOrFinalNewline);
    case 'b':
      return Make<RegexAnchorNode>(RegexAnchorKind::kWordBoundary);
    case 'B':
      return Make<RegexAnchorNode>(RegexAnchorKind::kNotWordBoundary);
    case 'G':
      // Without the global flag there is no search position to hold to: "\G" asserts nothing.
      if (!scope.Has(kRegexGlobal)) return Make<RegexEmptyNode>();
      return Make<RegexAnchorNode>(RegexAnchorKind::kSearchStart);
    case 'k':
      return NamedBackReference(scope);
    case 'g':
      return NumberedBackReference(scope);
    default:
      break;
  }
  if (IsDecimalDigit(name)) return BackReference(scope, ReadDigits(name - '0'));
  return Predefined(name, scope);
}

const RegexNode* RegexParser::BackReference(const Scope& scope, int group) {
  auto* node = Make<RegexBackReferenceNode>(scope.Has(kRegexIgnoreCase), scope.rightToLeft);
  node->group = group;
  return node;
}

// "\k<name>", "\k'name'", "\k{name}".
const RegexNode* RegexParser::NamedBackReference(const Scope& scope) {
  char terminator;
  if (lexer_.TakeRaw('<')) {
    terminator = '>';
  } else if (lexer_.TakeRaw('\'')) {
    terminator = '\'';
  } else if (lexer_.TakeRaw('{')) {
    terminator = '}';
  } else {
    ThrowMalformedPattern();
  }
  auto* node = Make<RegexBackReferenceNode>(scope.Has(kRegexIgnoreCase), scope.rightToLeft);
  ReferToName(&node->group, ReadName(terminator));
  return node;
}

// "\gN", "\g{N}", "\g{name}".
const RegexNode* RegexParser::NumberedBackReference(const Scope& scope) {
  const bool braced = lexer_.TakeRaw('{');
  if (IsDecimalDigit(lexer_.PeekRaw())) {
    const int group = ReadNumber();
    if (braced && !lexer_.TakeRaw('}')) ThrowMalformedPattern();
    return BackReference(scope, group);
  }
  if (!braced) ThrowMalformedPattern();
  auto* node = Make<RegexBackReferenceNode>(scope.Has(kRegexIgnoreCase), scope.rightToLeft);
  ReferToName(&node->group, ReadName('}'));
  return node;
}

// After "(": every group form but the plain capture starts with "?".
Atom RegexParser::ParseGroup(Scope& scope) {
  if (!lexer_.TakeRaw('?')) {
    auto* capture = Make<RegexCaptureNode>(nullptr);
    capture->group = ++unnamedGroups_;
    captures_.push_back(capture);
    capture->body = ParseBody(scope.flags, scope.rightToLeft);
    return {capture};
  }
  const int c = lexer_.TakeRaw();
  switch (c) {
    case ':':
      return {ParseBody(scope.flags, scope.rightToLeft)};
    case '=':
    case '!':
      return {ParseLookAround(scope, false, c == '!')};
    case '<':
      if (lexer_.TakeRaw('=')) return {ParseLookAround(scope, true, false)};
      if (lexer_.TakeRaw('!')) return {ParseLookAround(scope, true, true)};
      return {ParseNamedCapture(scope, '>')};
    case '\'':
      return {ParseNamedCapture(scope, '\'')};
    case 'P':
      if (!lexer_.TakeRaw('<')) ThrowMalformedPattern();
      return {ParseNamedCapture(scope, '>')};
    case '>':
      return {Make<RegexIndependentNode>(ParseBody(scope.flags, scope.rightToLeft))};
    case 'R':
      return {ParseRecursion()};
    case '(':
      return {ParseConditional(scope)};
    default:
      return ParseInlineFlags(scope, c);
  }
}

// The alternation inside a group up to its ")", under the group's flags and direction.
const RegexNode* RegexParser::ParseBody(int flags, bool rightToLeft) {
  Nesting nesting(nesting_);
  Scope inner{flags, rightToLeft};
  const RegexNode* body = ParseAlternation(inner);
  ExpectClose();
  return body;
}

// A look-behind runs its body right to left from the position, a look-ahead left to right.
const RegexNode* RegexParser::ParseLookAround(const Scope& scope, bool behind, bool negative) {
  return Make<RegexLookAroundNode>(ParseBody(scope.flags, behind), negative);
}

// After "(?(?": the look-around that is a conditional's condition.
const RegexNode* RegexParser::ParseLookAroundAfterQuestion(const Scope& scope) {
  const int c = lexer_.TakeRaw();
  if (c == '=' || c == '!') return ParseLookAround(scope, false, c == '!');
  if (c != '<') ThrowMalformedPattern();
  if (lexer_.TakeRaw('=')) return ParseLookAround(scope, true, false);
  if (lexer_.TakeRaw('!')) return ParseLookAround(scope, true, true);
  ThrowMalformedPattern();
}

const RegexNode* RegexParser::ParseNamedCapture(const Scope& scope, char terminator) {
  const std::string name = ReadName(terminator);
  if (std::find(names_.begin(), names_.end(), name) == names_.end()) names_.push_back(name);
  auto* capture = Make<RegexCaptureNode>(nullptr);
  ReferToName(&capture->group, name);
  captures_.push_back(capture);
  capture->body = ParseBody(scope.flags, scope.rightToLeft);
  return capture;
}

// After "(?R": "(?R)" runs the whole pattern, "(?Rn)", "(?R<name>)" and "(?R'name')" a group.
const RegexNode* RegexParser::ParseRecursion() {
  auto* node = Make<RegexRecursionNode>();
  recursions_.push_back(node);
  if (lexer_.TakeRaw('<')) {
    ReferToName(&node->group, ReadName('>'));
  } else if (lexer_.TakeRaw('\'')) {
    ReferToName(&node->group, ReadName('\''));
  } else if (IsDecimalDigit(lexer_.PeekRaw())) {
    node->group = ReadNumber();
  }
  ExpectClose();
  return node;
}

// After "(?(": the condition (a group number, <name>, 'name', a bare name or a look-around),
// then the yes branch and an optional no branch.
const RegexNode* RegexParser::ParseConditional(const Scope& scope) {
  const RegexNode* condition = nullptr;
  int group = 0;
  std::string name;
  if (IsDecimalDigit(lexer_.PeekRaw())) {
    group = ReadNumber();
    ExpectClose();
  } else if (lexer_.TakeRaw('?')) {
    condition = ParseLookAroundAfterQuestion(scope);
  } else if (lexer_.TakeRaw('<')) {
    name = ReadName('>');
    ExpectClose();
  } else if (lexer_.TakeRaw('\'')) {
    name = ReadName('\'');
    ExpectClose();
  } else {
    name = ReadName(')');
  }
  Nesting nesting(nesting_);
  Scope inner = scope;
  std::vector<const RegexNode*> branches = ParseBranches(inner);
  ExpectClose();
  if (branches.size() > 2) ThrowMalformedPattern();
  const RegexNode* no = branches.size() == 2 ? branches[1] : Make<RegexEmptyNode>();
  auto* node = Make<RegexConditionalNode>(condition, branches[0], no);
  node->group = group;
  if (!name.empty()) ReferToName(&node->group, name);
  return node;
}

// "(?imsg-imsg)" changes the flags for the rest of the enclosing group, "(?imsg-imsg:...)" for
// its own body only. Letters after "-" are turned off.
Atom RegexParser::ParseInlineFlags(Scope& scope, int first) {
  int flags = scope.flags;
  bool turnOn = true;
  for (int c = first;; c = lexer_.TakeRaw()) {
    int flag = 0;
    switch (c) {
      case '-':
        turnOn = false;
        continue;
      case ')':
        scope.flags = flags;
        return {nullptr, 0, true};
      case ':':
        return {ParseBody(flags, scope.rightToLeft)};
      case 'i':
      case 'I':
        flag = kRegexIgnoreCase;
        break;
      case 'm':
      case 'M':
        flag = kRegexMultiline;
        break;
      case 's':
      case 'S':
        flag = kRegexSingleLine;
        break;
      case 'g':
      case 'G':
        flag = kRegexGlobal;
        break;
      default:
        ThrowMalformedPattern();
    }
    flags = turnOn ? flags | flag : flags & ~flag;
  }
}

// After "[": a class, or "[:name:]" on its own.
const RegexNode* RegexParser::ParseBracket(const Scope& scope) {
  Nesting nesting(nesting_);
  const RegexByteSet bytes = lexer_.PeekRaw() == ':' ? ParseNamedClass() : ParseClassBody(scope);
  return Make<RegexClassNode>(bytes, scope.rightToLeft);
}

// After "[": single bytes, ranges, "\d"-style classes, "[:name:]" and nested classes up to
// the closing "]". A "]" right after "[" or "[^" is a member. Ignoring case adds the other
// case of every letter given as a byte or in a range.
RegexByteSet RegexParser::ParseClassBody(const Scope& scope) {
  const bool negated = lexer_.Peek(true).IsMeta('^');
  if (negated) lexer_.Next(true);
  RegexByteSet bytes;
  for (bool first = true;; first = false) {
    const RegexToken token = lexer_.Next(true);
    if (token.kind == RegexTokenKind::kEnd) ThrowMalformedPattern();
    if (token.IsMeta(']') && !first) break;
    if (token.IsMeta('[')) {
      Nesting nesting(nesting_);
      bytes |= lexer_.PeekRaw() == ':' ? ParseNamedClass() : ParseClassBody(scope);
      continue;
    }
    if (token.kind == RegexTokenKind::kEscape) {
      bytes |= PredefinedSet(token.ch, scope.rightToLeft, false);
      continue;
    }
    unsigned char high = token.ch;
    if (RangeFollows()) {
      lexer_.Next(true);
      high = lexer_.Next(true).ch;
      if (high < token.ch) ThrowMalformedPattern();
    }
    RegexByteSet range = RangeSet(token.ch, high);
    if (scope.Has(kRegexIgnoreCase)) {
      for (int c = token.ch; c <= high; ++c) {
        range[RegexLowerCase(static_cast<unsigned char>(c))] = true;
        range[RegexUpperCase(static_cast<unsigned char>(c))] = true;
      }
    }
    bytes |= range;
  }
  return negated ? ~bytes : bytes;
}

// A "-" followed by a byte makes a range; before "]", "[" or a "\d"-style class it is a member.
bool RegexParser::RangeFollows() const {
  RegexLexer ahead = lexer_;
  if (!ahead.Next(true).IsMeta('-')) return false;
  const RegexToken high = ahead.Next(true);
  return high.kind == RegexTokenKind::kChar || high.IsMeta('-') || high.IsMeta('^');
}

// After "[": ":name:]" or ":^name:]" (negated).
RegexByteSet RegexParser::ParseNamedClass() {
  lexer_.TakeRaw(':');
  const bool negated = lexer_.TakeRaw('^');
  std::string name;
  while (IsNameChar(lexer_.PeekRaw())) name += static_cast<char>(lexer_.TakeRaw());
  if (!lexer_.TakeRaw(':') || !lexer_.TakeRaw(']')) ThrowMalformedPattern();
  const std::optional<RegexByteSet> bytes = NamedSet(name);
  if (!bytes) ThrowMalformedPattern();
  return negated ? ~*bytes : *bytes;
}

// The class nodes of ".", "\d", "\w", "\s" and their negations, made once per pattern.
const RegexNode* RegexParser::Predefined(unsigned char name, const Scope& scope) {
  const bool singleLine = name == '.' && scope.Has(kRegexSingleLine);
  const auto key = std::make_tuple(name, scope.rightToLeft, singleLine);
  const RegexNode*& node = predefined_[key];
  if (!node) {
    node =
        Make<RegexClassNode>(PredefinedSet(name, scope.rightToLeft, singleLine), scope.rightToLeft);
  }
  return node;
}

std::string RegexParser::ReadName(char terminator) {
  std::string name;
  while (IsNameChar(lexer_.PeekRaw())) name += static_cast<char>(lexer_.TakeRaw());
  if (name.empty() || IsDecimalDigit(name[0]) || !lexer_.TakeRaw(terminator)) {
    ThrowMalformedPattern();
  }
  return name;
}

// A decimal count (held at INT_MAX when larger), or -1 when no digit follows.
int RegexParser::ReadNumber() { return IsDecimalDigit(lexer_.PeekRaw()) ? ReadDigits(0) : -1; }

// `value` followed by the digits that come next, held at INT_MAX.
int RegexParser::ReadDigits(int value) {
  while (IsDecimalDigit(lexer_.PeekRaw())) {
    const int digit = lexer_.TakeRaw() - '0';
    value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
  }
  return value;
}

void RegexParser::ExpectClose() {
  if (!lexer_.Next(false).IsMeta(')')) ThrowMalformedPattern();
}

// Numbers the named groups after the unnamed ones, fills in every reference to a name and
// points each recursion at its group (the first one of a name used twice).
void RegexParser::ResolveGroups() {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    result_.groupNames[names_[i]] = unnamedGroups_ + static_cast<int>(i) + 1;
  }
  result_.groupCount = unnamedGroups_ + static_cast<int>(names_.size());
  for (const auto& [slot, name] : nameReferences_) {
    const auto found = result_.groupNames.find(name);
    if (found == result_.groupNames.end()) ThrowMalformedPattern();
    *slot = found->second;
  }
  std::vector<const RegexNode*> groups(result_.groupCount + 1, nullptr);
  groups[0] = result_.root;
  for (const RegexCaptureNode* capture : captures_) {
    if (!groups[capture->group]) groups[capture->group] = capture;
  }
  for (RegexRecursionNode* recursion : recursions_) {
    if (recursion->group > result_.groupCount) ThrowMalformedPattern();
    recursion->target = groups[recursion->group];
  }
}

}  // namespace

ParsedRegex ParseRegex(std::string_view pattern, int flags) {
  try {
    return RegexParser(pattern, flags).Parse();
  } catch (const RegexSyntaxError&) {
    return {};
  }
}
