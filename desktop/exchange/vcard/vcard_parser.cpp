#include "desktop/exchange/vcard/vcard_parser.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/text_encoding.h"
#include "desktop/exchange/vcard/vcard_fields.h"
#include "desktop/exchange/vcard/vcard_text.h"
#include "desktop/store/composed_name.h"

namespace {

// ---- Lines ---------------------------------------------------------------------------------

constexpr qint64 kChunkBytes = 1024 * 1024;

// The unfolded lines of a file, read a chunk at a time. Each line may take no more of the file
// than the budget left (see SetBudget), so that no line, however long, is held whole beyond it.
class CardLines {
 public:
  explicit CardLines(QIODevice& device) : device_(device), encoding_(DetectTextEncoding(device)) {
    Fill();
    if (buffer_.startsWith(kUtf8ByteOrderMark)) position_ = sizeof kUtf8ByteOrderMark - 1;
  }

  enum class Read { kLine, kEnd, kTooLong, kUnreadable };

  Read Next(QString* line) {
    QByteArrayView physical;
    if (Read read = NextPhysical(&physical); read != Read::kLine) return read;
    line_.resize(0);
    line_.append(physical);  // a copy: reading on may move the buffer
    while (Continues()) {
      if (Read read = NextPhysical(&physical); read != Read::kLine) return read;
      line_.append(physical.sliced(1));
    }
    *line = DecodeText(line_, encoding_);
    return Read::kLine;
  }

  // How many bytes of the file the lines read from now on may take together.
  void SetBudget(qint64 bytes) { budget_ = bytes; }

 private:
  // Reads the next chunk behind what is left to read; false at the end of the file or on an
  // error.
  bool Fill() {
    if (atEnd_) return false;
    buffer_.remove(0, position_);
    position_ = 0;
    qsizetype kept = buffer_.size();
    // No more than the file holds: a small file needs no buffer of a whole chunk.
    const qint64 chunkBytes = std::clamp<qint64>(device_.bytesAvailable(), 1, kChunkBytes);
    buffer_.resize(kept + chunkBytes);
    qint64 read = device_.read(buffer_.data() + kept, chunkBytes);
    buffer_.resize(kept + std::max<qint64>(read, 0));
    unreadable_ = read < 0;
    atEnd_ = read <= 0;
    return !atEnd_;
  }

  // Whether the next line continues the one before it.
  bool Continues() {
    if (position_ == buffer_.size() && !Fill()) return false;
    return buffer_[position_] == ' ' || buffer_[position_] == '\t';
  }

  Read NextPhysical(QByteArrayView* line) {
    qsizetype searched = position_;
    qsizetype end = -1;
    while ((end = buffer_.indexOf('\n', searched)) < 0) {
      if (buffer_.size() - position_ > budget_) return Read::kTooLong;
      searched = buffer_.size() - position_;
      if (!Fill()) break;
    }
    if (unreadable_) return Read::kUnreadable;
    if (position_ == buffer_.size()) return Read::kEnd;
    qsizetype next = end < 0 ? buffer_.size() : end + 1;
    if (next - position_ > budget_) return Read::kTooLong;
    budget_ -= next - position_;
    if (end < 0) {
      end = buffer_.size();
    } else if (end > position_ && buffer_[end - 1] == '\r') {
      --end;
    }
    *line = QByteArrayView(buffer_.constData() + position_, end - position_);
    position_ = next;
    return Read::kLine;
  }

  QIODevice& device_;
  const TextEncoding encoding_;
  QByteArray buffer_;
  qsizetype position_ = 0;  // of what is left to read
  bool atEnd_ = false;
  bool unreadable_ = false;
  qint64 budget_ = 0;
  QByteArray line_;
};

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EqualIgnoringAsciiCase(QStringView text, QLatin1String name) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (AsciiLower(text[i].unicode()) != AsciiLower(static_cast<char16_t>(name.data()[i]))) {
      return false;
    }
  }
  return true;
}

// Whether `text` is `name` (ASCII) in any case. Property names are compared many times for every
// line: the sizes are compared first, and no Unicode case folding is done.
inline bool IsNamed(QStringView text, QLatin1String name) {
  return text.size() == name.size() && EqualIgnoringAsciiCase(text, name);
}

bool BeginsWith(QStringView text, QLatin1String prefix) {
  return text.size() >= prefix.size() && IsNamed(text.first(prefix.size()), prefix);
}

// ---- Property lines ------------------------------------------------------------------------

struct Property {
  QStringView name;
  QStringView value;
};

// "NAME:value": colons before the name are skipped; the value is everything after the colon that
// ends the name, colons included (a web address or a time of day keeps its own). A line without
// a colon is all name.
Property SplitProperty(QStringView line) {
  qsizetype start = 0;
  while (start < line.size() && line[start] == u':') ++start;
  qsizetype colon = std::find(line.begin() + start, line.end(), QLatin1Char(':')) - line.begin();
  if (colon == line.size()) return {line.sliced(start), QStringView()};
  return {line.sliced(start, colon - start), line.sliced(colon + 1)};
}

// A property that fills fields: one field is set, so that of repeated lines the last wins; of
// several, each line takes the first still empty.
struct PropertyRule {
  QLatin1String name;
  std::vector<RecordField> fields;
};

// Other messaging services, read into the fields the export writes as X-MSN.
constexpr const char* kMessagingAliases[] = {"X-YAHOO", "X-GTALK", "X-SKYPE"};

const std::vector<PropertyRule>& PropertyRules() {
  static const std::vector<PropertyRule> rules = [] {
    std::vector<PropertyRule> built;
    for (const VCardField& entry : kVCardFields) {
      if (entry.form != VCardForm::kProperty) continue;
      QLatin1String name(entry.name);
      auto rule = std::find_if(built.begin(), built.end(), [&](auto& r) { return r.name == name; });
      if (rule == built.end()) {
        built.push_back({name, {entry.field}});
      } else {
        rule->fields.push_back(entry.field);
      }
    }
    std::vector<RecordField> messaging =
        std::find_if(built.begin(), built.end(), [](auto& r) { return r.name == "X-MSN"; })->fields;
    for (const char* alias : kMessagingAliases) built.push_back({QLatin1String(alias), messaging});
    return built;
  }();
  return rules;
}

const PropertyRule* FindPropertyRule(QStringView name) {
  for (const PropertyRule& rule : PropertyRules()) {
    if (IsNamed(name, rule.name)) return &rule;
  }
  return nullptr;
}

// A bare "ADR" is the other address.
const VCardAddress* FindAddress(QStringView name) {
  if (IsNamed(name, QLatin1String("ADR"))) return &kVCardAddresses.back();
  for (const VCardAddress& address : kVCardAddresses) {
    if (IsNamed(name, QLatin1String(address.property))) return &address;
  }
  return nullptr;
}

// The field of a grouped line's label.
RecordField FindLabelledField(QStringView label) {
  for (const VCardField& entry : kVCardFields) {
    if (entry.form == VCardForm::kItem && IsNamed(label, QLatin1String(entry.label))) {
      return entry.field;
    }
  }
  return nullptr;
}

// ---- The note ------------------------------------------------------------------------------

// The labels of the lines the export appends to the note, in the order it writes them, each
// with its colon ("Department:").
struct NoteLine {
  RecordField field;
  QString start;
};

const std::vector<NoteLine>& NoteLines() {
  static const std::vector<NoteLine> lines = [] {
    std::vector<NoteLine> built;
    for (const VCardField& entry : kVCardFields) {
      if (entry.form == VCardForm::kNoteLine) {
        built.push_back({entry.field, QLatin1String(entry.name) + u':'});
      }
    }
    return built;
  }();
  return lines;
}

const QLatin1String kLineBreak("\r\n");

// The index in NoteLines() of the label that a line break at `at` starts, looking at the labels
// from `from` on; -1 when there is none.
int NoteLineAt(QStringView note, qsizetype at, size_t from) {
  QStringView line = note.sliced(at);
  if (!line.startsWith(kLineBreak)) return -1;
  line = line.sliced(kLineBreak.size());
  for (size_t i = from; i < NoteLines().size(); ++i) {
    if (line.startsWith(NoteLines()[i].start)) return static_cast<int>(i);
  }
  return -1;
}

// Where the lines the export appended begin: the last line break that starts a labelled line and
// follows the export's separator (a line break after the contact's notes) or begins the note.
// Taking the last keeps a contact's notes whole even when they hold such lines themselves.
qsizetype NoteLinesStart(QStringView note) {
  for (qsizetype at = note.lastIndexOf(kLineBreak); at >= 0;
       at = at == 0 ? -1 : note.lastIndexOf(kLineBreak, at - 1)) {
    bool afterSeparator = at == 0 || note.first(at).endsWith(kLineBreak);
    if (afterSeparator && NoteLineAt(note, at, 0) >= 0) return at;
  }
  return -1;
}

// The export writes the note as the contact's notes and a line break, then a line for each field
// that vCard has no property for ("notes", "", "Department:Sales", "Account:7"), or those lines
// alone when there are no notes; a note that ends with the line break has no such lines. Those
// lines go back into their fields, each value running to the next line of a label written after
// it, so that a value may hold line breaks; the contact's notes are returned. A note not laid out
// so (another program's) is returned whole.
QString TakeNoteLines(const QString& note, ContactRecord& record) {
  if (note.endsWith(kLineBreak)) return note.chopped(kLineBreak.size());
  qsizetype start = NoteLinesStart(note);
  if (start < 0) return note;
  int line = NoteLineAt(note, start, 0);
  for (qsizetype at = start; line >= 0;) {
    qsizetype value = at + kLineBreak.size() + NoteLines()[line].start.size();
    int next = -1;
    qsizetype end = value;
    while ((end = note.indexOf(kLineBreak, end)) >= 0 &&
           (next = NoteLineAt(note, end, line + 1)) < 0) {
      end += kLineBreak.size();
    }
    if (end < 0) end = note.size();
    record.*NoteLines()[line].field = note.sliced(value, end - value);
    at = end;
    line = next;
  }
  return start == 0 ? QString() : note.first(start - kLineBreak.size());
}

// ---- One card ------------------------------------------------------------------------------

class CardBuilder {
 public:
  void Add(const Property& property) {
    if (item_ && IsLabelOfItem(property.name)) {
      ApplyLabel(UnescapedVCardText(property.value));
      return;
    }
    KeepUnlabelledItem();
    if (BeginsWith(property.name, QLatin1String("item"))) {
      item_ = Item{property.name.toString(), UnescapedVCardText(property.value)};
    } else if (IsNamed(property.name, QLatin1String("N"))) {
      SetName(property.value);
    } else if (IsNamed(property.name, QLatin1String("FN"))) {
      formattedName_ = UnescapedVCardText(property.value);
    } else if (IsNamed(property.name, QLatin1String("NOTE"))) {
      AddNote(UnescapedVCardText(property.value));
    } else if (const PropertyRule* rule = FindPropertyRule(property.name)) {
      Apply(*rule, property);
    } else if (const VCardAddress* address = FindAddress(property.name)) {
      AddAddress(*address, property.value);
    } else if (!IsNamed(property.name, QLatin1String("VERSION"))) {
      AddUnlisted(property.name, UnescapedVCardText(property.value));
    }
  }

  // Takes the card, and leaves the builder empty for the next one.
  ContactRecord Finish() {
    KeepUnlabelledItem();
    if (!hasName_) record_.lastName = formattedName_;
    record_.notes.prepend(note_);
    if (record_.fileAs.isEmpty()) {
      record_.fileAs = ComposedContactName(record_.firstName, record_.middleName, record_.lastName);
    }
    ContactRecord card = std::move(record_);
    *this = CardBuilder();
    return card;
  }

 private:
  // A grouped line ("item1.TEL") waiting for its label line ("item1.X-ABLabel").
  struct Item {
    QString name;
    QString value;
  };

  // "N:Last;First;Middle;Title;Suffix".
  void SetName(QStringView value) {
    auto components = VCardComponents<5>(value);
    record_.lastName = components[0];
    record_.firstName = components[1];
    record_.middleName = components[2];
    record_.title = components[3];
    record_.suffix = components[4];
    hasName_ = true;
  }

  bool IsLabelOfItem(QStringView name) const {
    static const QLatin1String kLabel(".X-ABLabel");
    QStringView group = QStringView(item_->name).first(item_->name.indexOf(QLatin1Char('.')) + 1);
    return group.size() > 0 && name.size() == group.size() + kLabel.size() - 1 &&
           name.startsWith(group, Qt::CaseInsensitive) &&
           name.endsWith(kLabel, Qt::CaseInsensitive);
  }

  void ApplyLabel(const QString& label) {
    Item item = std::move(*item_);
    item_.reset();
    if (item.value.isEmpty()) return;  // nothing to store, and nothing to move out of place
    if (RecordField field = FindLabelledField(label)) {
      record_.*field = item.value;
    } else {
      AddUnlisted(label, item.value);
    }
  }

  // A grouped line without its label line is kept like any line without a field.
  void KeepUnlabelledItem() {
    if (item_ && !item_->value.isEmpty()) AddUnlisted(item_->name, item_->value);
    item_.reset();
  }

  void Apply(const PropertyRule& rule, const Property& property) {
    QString value = UnescapedVCardText(property.value);
    if (rule.fields.size() == 1) {
      record_.*rule.fields.front() = value;
      return;
    }
    for (RecordField field : rule.fields) {
      if ((record_.*field).isEmpty()) {
        record_.*field = value;
        return;
      }
    }
    AddUnlisted(property.name, value);  // every field of the kind is taken
  }

  // "ADR:box;extended;street;city;state;zip;country". The first address of a kind fills its
  // fields, with the post-office box and extended address kept in the notes; any further one
  // of the same kind goes to the notes whole.
  void AddAddress(const VCardAddress& kind, QStringView value) {
    QLatin1String noteLabel(kind.noteLabel);
    if (record_.*kind.seen) {
      record_.notes += QLatin1String("\r\n") + noteLabel + UnescapedVCardText(value);
      return;
    }
    auto components = VCardComponents<7>(value);
    for (size_t i = 0; i < kind.fields.size(); ++i) record_.*kind.fields[i] = components[i + 2];
    if (!components[0].isEmpty() || !components[1].isEmpty()) {
      record_.notes +=
          QLatin1String("\r\n") + noteLabel + components[0] + QLatin1Char(' ') + components[1];
    }
    record_.*kind.seen = 1;
  }

  // A later note goes before the earlier ones.
  void AddNote(const QString& text) {
    QString own = TakeNoteLines(text, record_);
    if (own.isEmpty()) return;
    note_ = note_.isEmpty() ? own : own + QLatin1String("\r\n") + note_;
  }

  void AddUnlisted(QStringView name, const QString& value) {
    record_.notes += QLatin1String("\r\n");
    record_.notes += name;
    record_.notes += QLatin1Char(':') + value;
  }

  ContactRecord record_;  // its notes collect the lines without a field
  QString note_;          // the card's own note
  QString formattedName_;
  bool hasName_ = false;
  std::optional<Item> item_;
};

}  // namespace

struct VCardReader::State {
  explicit State(QIODevice& device) : lines(device) {}

  CardLines lines;
  CardBuilder card;
  bool inCard = false;
  Stop stop = Stop::kNone;
};

VCardReader::VCardReader(QIODevice& device) : state_(std::make_unique<State>(device)) {}

VCardReader::~VCardReader() = default;

bool VCardReader::Next(ContactRecord* card) {
  State& state = *state_;
  if (state.stop != Stop::kNone) return false;
  QString line;
  for (;;) {
    if (!state.inCard) state.lines.SetBudget(kMaxVCardCardBytes);
    CardLines::Read read = state.lines.Next(&line);
    if (read == CardLines::Read::kTooLong || read == CardLines::Read::kUnreadable) {
      state.stop = read == CardLines::Read::kTooLong ? Stop::kTooLarge : Stop::kUnreadable;
      return false;
    }
    if (read == CardLines::Read::kEnd) break;
    bool begins = IsNamed(line, QLatin1String("BEGIN:VCARD"));
    if (begins || IsNamed(line, QLatin1String("END:VCARD"))) {
      bool ended = state.inCard;
      state.inCard = begins;
      if (begins) state.lines.SetBudget(kMaxVCardCardBytes);
      if (ended) {
        *card = state.card.Finish();
        return true;
      }
    } else if (state.inCard) {
      state.card.Add(SplitProperty(line));
    }
  }
  state.stop = Stop::kEnd;
  if (!state.inCard) return false;
  state.inCard = false;
  *card = state.card.Finish();
  return true;
}

VCardReader::Stop VCardReader::Stopped() const { return state_->stop; }
