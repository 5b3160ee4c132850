#include "desktop/exchange/vcard/vcard_parser.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/text_encoding.h"
#include "desktop/exchange/vcard/vcard_fields.h"
#include "desktop/exchange/vcard/vcard_property.h"
#include "desktop/exchange/vcard/vcard_text.h"
#include "desktop/store/composed_name.h"

namespace {

// ---- Lines ---------------------------------------------------------------------------------

constexpr qint64 kChunkBytes = 1024 * 1024;

// The unfolded lines of a file, read a chunk at a time. Each line may take no more of the file
// than the budget left (see SetBudget), so that no line, however long, is held whole beyond it.
class CardLines {
 public:
  explicit CardLines(QIODevice& device) : file_(device) { Fill(); }

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
    *line = DecodeText(line_, file_.Encoding());
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
    const qint64 chunkBytes = file_.ChunkSize(kChunkBytes);
    buffer_.resize(kept + chunkBytes);
    qint64 read = file_.Read(buffer_.data() + kept, chunkBytes);
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

  TextFileReader file_;
  QByteArray buffer_;
  qsizetype position_ = 0;  // of what is left to read
  bool atEnd_ = false;
  bool unreadable_ = false;
  qint64 budget_ = 0;
  QByteArray line_;
};

// ---- Property rules ------------------------------------------------------------------------

// A set of the types that choose a field, one bit for each of TableTypes().
using TypeSet = quint32;

// A type of the tables that tells no field from another: every e-mail address is an internet
// one. (The types the tables do not name, such as VOICE and PREF, choose no field either.)
const QLatin1String kIgnoredType("INTERNET");

// A property of the tables: "TEL;TYPE=WORK;TYPE=FAX" is the name TEL and the types WORK and FAX.
struct TableProperty {
  QString name;
  VCardParameters parameters;  // of `written`
  QString written;
};

TableProperty ReadTableProperty(const char* written) {
  TableProperty read;
  read.written = QString::fromLatin1(written);
  VCardProperty property = SplitVCardProperty(read.written);
  read.name = property.name.toString();
  read.parameters = ReadVCardParameters(property.parameters);
  return read;
}

// The types that the properties of the tables name, but for the ignored ones.
const std::vector<QString>& TableTypes() {
  static const std::vector<QString> types = [] {
    std::vector<QString> found;
    auto add = [&](const char* written) {
      TableProperty property = ReadTableProperty(written);
      for (QStringView type : property.parameters.types) {
        bool known = std::any_of(found.begin(), found.end(),
                                 [&](const QString& name) { return IsVCardName(type, name); });
        if (!known && !IsVCardName(type, kIgnoredType)) found.push_back(type.toString());
      }
    };
    for (const VCardField& entry : kVCardFields) {
      if (entry.form == VCardForm::kProperty) add(entry.name);
    }
    for (const VCardAddress& address : kVCardAddresses) add(address.property);
    Q_ASSERT(found.size() <= sizeof(TypeSet) * 8);
    return found;
  }();
  return types;
}

// The types of a line that choose a field, in any case and order; the others are left out.
TypeSet TypesOf(const VCardParameters& parameters) {
  TypeSet set = 0;
  const std::vector<QString>& types = TableTypes();
  for (QStringView type : parameters.types) {
    for (size_t i = 0; i < types.size(); ++i) {
      if (IsVCardName(type, types[i])) set |= TypeSet{1} << i;
    }
  }
  return set;
}

// The fields of one property name and set of types: each line takes the first still empty, and a
// line that finds them all taken is kept in the notes, so no value of the card is lost.
struct PropertyRule {
  TypeSet types;
  std::vector<RecordField> fields;
};

// The rules of one property name, and all its fields in table order: a line whose types name no
// rule takes the first of those left empty at the end of the card.
struct PropertyKind {
  QString name;
  std::vector<PropertyRule> rules;
  std::vector<RecordField> fields;
};

// Other messaging services, read into the fields the export writes as X-MSN.
constexpr const char* kMessagingAliases[] = {"X-YAHOO", "X-GTALK", "X-SKYPE"};

std::vector<PropertyKind> BuildPropertyKinds() {
  std::vector<PropertyKind> kinds;
  auto kindNamed = [&](QStringView name) {
    return std::find_if(kinds.begin(), kinds.end(),
                        [&](const PropertyKind& kind) { return kind.name == name; });
  };
  for (const VCardField& entry : kVCardFields) {
    if (entry.form != VCardForm::kProperty) continue;
    TableProperty property = ReadTableProperty(entry.name);
    auto kind = kindNamed(property.name);
    if (kind == kinds.end()) kind = kinds.insert(kind, PropertyKind{property.name, {}, {}});
    TypeSet types = TypesOf(property.parameters);
    auto rule = std::find_if(kind->rules.begin(), kind->rules.end(),
                             [&](const PropertyRule& r) { return r.types == types; });
    if (rule == kind->rules.end()) rule = kind->rules.insert(rule, PropertyRule{types, {}});
    rule->fields.push_back(entry.field);
    kind->fields.push_back(entry.field);
  }
  PropertyKind messaging = *kindNamed(u"X-MSN");
  for (const char* alias : kMessagingAliases) {
    messaging.name = QString::fromLatin1(alias);
    kinds.push_back(messaging);
  }
  return kinds;
}

const PropertyKind* FindPropertyKind(QStringView name) {
  static const std::vector<PropertyKind> kinds = BuildPropertyKinds();
  for (const PropertyKind& kind : kinds) {
    if (IsVCardName(name, kind.name)) return &kind;
  }
  return nullptr;
}

// The address kinds by their types; an address whose types name none is the other address, as
// a bare "ADR" is.
struct AddressRules {
  QString name;  // "ADR"
  std::array<TypeSet, std::tuple_size_v<decltype(kVCardAddresses)>> types;
};

const AddressRules& Addresses() {
  static const AddressRules rules = [] {
    AddressRules built;
    for (size_t i = 0; i < kVCardAddresses.size(); ++i) {
      TableProperty property = ReadTableProperty(kVCardAddresses[i].property);
      built.name = property.name;
      built.types[i] = TypesOf(property.parameters);
    }
    return built;
  }();
  return rules;
}

const VCardAddress& FindAddress(TypeSet types) {
  const AddressRules& rules = Addresses();
  for (size_t i = 0; i < rules.types.size(); ++i) {
    if (rules.types[i] == types) return kVCardAddresses[i];
  }
  return kVCardAddresses.back();
}

// The field of a grouped line's label.
RecordField FindLabelledField(QStringView label) {
  for (const VCardField& entry : kVCardFields) {
    if (entry.form == VCardForm::kItem && IsVCardName(label, QLatin1String(entry.label))) {
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
  // Takes a line of the card. A quoted-printable value that ends with "=", a soft line break,
  // goes on in the next line, whatever that holds.
  void AddLine(const QString& line) {
    if (continued_) {
      continued_->chop(1);
      continued_->append(line);
      if (!line.endsWith(u'=')) AddWhole(TakeContinued());
      return;
    }
    VCardProperty property = SplitVCardProperty(line);
    VCardParameters parameters = ReadVCardParameters(property.parameters);
    if (parameters.quotedPrintable && property.value.endsWith(u'=')) {
      continued_ = line;
      return;
    }
    Add(property, parameters);
  }

  // Takes the card, and leaves the builder empty for the next one.
  ContactRecord Finish() {
    if (continued_) AddWhole(TakeContinued());
    KeepUnlabelledItem();
    FillUnnamed();
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
  QString TakeContinued() {
    QString whole = std::move(*continued_);
    continued_.reset();
    return whole;
  }

  void AddWhole(const QString& line) {
    VCardProperty property = SplitVCardProperty(line);
    Add(property, ReadVCardParameters(property.parameters));
  }

  void Add(const VCardProperty& property, const VCardParameters& parameters) {
    QStringView value = WrittenValue(property, parameters);
    if (item_ && IsLabelOfItem(property.name)) {
      ApplyLabel(UnescapedVCardText(value));
      return;
    }
    KeepUnlabelledItem();
    QStringView name = property.name;
    if (BeginsWithVCardName(name, QLatin1String("item"))) {
      item_ = Item{property.written.toString(), UnescapedVCardText(value)};
    } else if (IsVCardName(name, QLatin1String("N"))) {
      SetName(value);
    } else if (IsVCardName(name, QLatin1String("FN"))) {
      formattedName_ = UnescapedVCardText(value);
    } else if (IsVCardName(name, QLatin1String("NOTE"))) {
      AddNote(UnescapedVCardText(value));
    } else if (const PropertyKind* kind = FindPropertyKind(name)) {
      Apply(*kind, TypesOf(parameters), property.written, UnescapedVCardText(value));
    } else if (IsVCardName(name, Addresses().name)) {
      AddAddress(FindAddress(TypesOf(parameters)), value);
    } else if (!IsVCardName(name, QLatin1String("VERSION"))) {
      AddUnlisted(property.written, UnescapedVCardText(value));
    }
  }

  // The value with its quoted-printable bytes decoded, and a number without the "tel:" of a
  // vCard 4.0 address; its escapes are still to undo.
  QStringView WrittenValue(const VCardProperty& property, const VCardParameters& parameters) {
    QStringView value = property.value;
    if (parameters.uri && BeginsWithVCardName(value, QLatin1String("tel:")))
      value = value.sliced(4);
    if (!parameters.quotedPrintable) return value;
    decoded_ = DecodedQuotedPrintable(value, parameters.charset);
    return decoded_;
  }

  // Birthday and Anniversary are stored in the form the program reads.
  void Set(RecordField field, const QString& value) {
    record_.*field = IsVCardDateField(field) ? StoredVCardDate(value) : value;
  }

  // A line of a property kind whose types name none of its rules.
  struct Unnamed {
    const PropertyKind* kind;
    QString written;
    QString value;
  };

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
    if (RecordField field = FindLabelledField(label); field && (record_.*field).isEmpty()) {
      Set(field, item.value);
    } else {
      AddUnlisted(label, item.value);
    }
  }

  // A grouped line without its label line is kept like any line without a field.
  void KeepUnlabelledItem() {
    if (item_ && !item_->value.isEmpty()) AddUnlisted(item_->name, item_->value);
    item_.reset();
  }

  // A line whose types name no rule waits for the end of the card (see FillUnnamed).
  void Apply(const PropertyKind& kind, TypeSet types, QStringView written, QString value) {
    auto rule = std::find_if(kind.rules.begin(), kind.rules.end(),
                             [&](const PropertyRule& r) { return r.types == types; });
    if (rule == kind.rules.end()) {
      unnamed_.push_back({&kind, written.toString(), std::move(value)});
    } else if (!Fill(rule->fields, value)) {
      AddUnlisted(written, value);  // every field of its types is taken: a second mobile number
    }
  }

  // Sets the first of the fields still empty; false when there is none.
  bool Fill(const std::vector<RecordField>& fields, const QString& value) {
    for (RecordField field : fields) {
      if ((record_.*field).isEmpty()) {
        Set(field, value);
        return true;
      }
    }
    return false;
  }

  // The lines whose types name no field ("TEL;TYPE=MAIN", a bare "EMAIL") take the fields of
  // their kind that the lines naming theirs left empty, in file order.
  void FillUnnamed() {
    for (const Unnamed& line : unnamed_) {
      if (!Fill(line.kind->fields, line.value)) AddUnlisted(line.written, line.value);
    }
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
  std::vector<Unnamed> unnamed_;
  std::optional<QString> continued_;  // a line that goes on in the next
  QString decoded_;                   // the value of the line being added, when decoded
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
    bool begins = IsVCardName(line, QLatin1String("BEGIN:VCARD"));
    if (begins || IsVCardName(line, QLatin1String("END:VCARD"))) {
      bool ended = state.inCard;
      state.inCard = begins;
      if (begins) state.lines.SetBudget(kMaxVCardCardBytes);
      if (ended) {
        *card = state.card.Finish();
        return true;
      }
    } else if (state.inCard) {
      state.card.AddLine(line);
    }
  }
  state.stop = Stop::kEnd;
  if (!state.inCard) return false;
  state.inCard = false;
  *card = state.card.Finish();
  return true;
}

VCardReader::Stop VCardReader::Stopped() const { return state_->stop; }
