#include "desktop/exchange/vcard/vcard_parser.h"

#include <QStringTokenizer>

#include <array>
#include <cstring>
#include <optional>

#include "common/ansi_text.h"

namespace {

using Field = QString ContactRecord::*;

// ---- Lines ---------------------------------------------------------------------------------

// The lines of a file's bytes as text mode reads them.
class TextLines {
 public:
  explicit TextLines(const QByteArray& bytes) : bytes_(bytes) {}

  bool Next(QString* line) {
    if (position_ >= bytes_.size()) return false;
    qsizetype end = bytes_.indexOf('\n', position_);
    qsizetype next = end < 0 ? bytes_.size() : end + 1;
    if (end < 0) {
      end = bytes_.size();
    } else if (end > position_ && bytes_[end - 1] == '\r') {
      --end;
    }
    *line = Decode(bytes_.constData() + position_, end - position_);
    position_ = next;
    return true;
  }

 private:
  // A NUL would end the statement text the line's values go into.
  static QString Decode(const char* data, qsizetype size) {
    if (std::memchr(data, '\0', static_cast<size_t>(size)) == nullptr) {
      return AnsiToWide(data, size);
    }
    QByteArray text(data, size);
    text.removeIf([](char c) { return c == '\0'; });
    return AnsiToWide(text);
  }

  const QByteArray& bytes_;
  qsizetype position_ = 0;
};

bool IsNamed(const QString& text, QLatin1String name) {
  return text.size() == name.size() && text.compare(name, Qt::CaseInsensitive) == 0;
}

bool IsCardEnd(const QString& line) { return IsNamed(line, QLatin1String("END:VCARD")); }

// ---- Property lines ------------------------------------------------------------------------

struct Property {
  QString name;
  QString value;
};

// "NAME:value": colons before the name are skipped; the value is everything after the colon that
// ends the name, colons included (a web address or a time of day keeps its own). A line without
// a colon is all name.
Property SplitProperty(const QString& line) {
  qsizetype start = 0;
  while (start < line.size() && line[start] == QLatin1Char(':')) ++start;
  qsizetype colon = line.indexOf(QLatin1Char(':'), start);
  if (colon < 0) return {line.mid(start), QString()};
  return {line.mid(start, colon - start), line.mid(colon + 1)};
}

// The first N components of a structured value, separated by ";"; missing ones are empty.
template <size_t N>
std::array<QString, N> Components(const QString& value) {
  std::array<QString, N> components;
  size_t index = 0;
  for (QStringView component : QStringTokenizer(value, QLatin1Char(';'))) {
    if (index == N) break;
    components[index++] = component.toString();
  }
  return components;
}

struct AddressKind {
  QLatin1String noteLabel;
  int ContactRecord::*seen;
  std::array<Field, 5> columns;  // street, city, state, zip, country
};

const AddressKind kWorkAddress{
    QLatin1String("WorkAddress:"),
    &ContactRecord::workAddressSeen,
    {&ContactRecord::workStreet, &ContactRecord::workCity, &ContactRecord::workState,
     &ContactRecord::workZip, &ContactRecord::workCountry}};
const AddressKind kHomeAddress{
    QLatin1String("HomeAddress:"),
    &ContactRecord::homeAddressSeen,
    {&ContactRecord::homeStreet, &ContactRecord::homeCity, &ContactRecord::homeState,
     &ContactRecord::homeZip, &ContactRecord::homeCountry}};
const AddressKind kOtherAddress{
    QLatin1String("OtherAddress:"),
    &ContactRecord::otherAddressSeen,
    {&ContactRecord::otherStreet, &ContactRecord::otherCity, &ContactRecord::otherState,
     &ContactRecord::otherZip, &ContactRecord::otherCountry}};

// kSet replaces the column, so of repeated lines the last wins; kFill takes the first of the
// columns that is still empty; kAddress splits an address.
enum class Action { kSet, kFill, kAddress };

struct PropertyRule {
  QLatin1String name;
  Action action;
  std::array<Field, 3> columns = {};
  const AddressKind* address = nullptr;
};

const PropertyRule kPropertyRules[] = {
    {QLatin1String("TEL;TYPE=CELL"), Action::kSet, {&ContactRecord::mobilePhone}},
    {QLatin1String("NICKNAME"), Action::kSet, {&ContactRecord::nickName}},
    {QLatin1String("TEL;TYPE=PAGER"), Action::kSet, {&ContactRecord::pager}},
    {QLatin1String("TEL;TYPE=WORK"),
     Action::kFill,
     {&ContactRecord::workTel, &ContactRecord::workTel2}},
    {QLatin1String("TEL;TYPE=WORK;TYPE=FAX"), Action::kSet, {&ContactRecord::workFax}},
    {QLatin1String("TEL;TYPE=CAR"), Action::kSet, {&ContactRecord::carTel}},
    {QLatin1String("TEL;TYPE=HOME"),
     Action::kFill,
     {&ContactRecord::homeTel, &ContactRecord::homeTel2}},
    {QLatin1String("TEL;TYPE=HOME;TYPE=FAX"), Action::kSet, {&ContactRecord::homeFax}},
    {QLatin1String("ORG"), Action::kSet, {&ContactRecord::company}},
    {QLatin1String("TITLE"), Action::kSet, {&ContactRecord::jobTitle}},
    {QLatin1String("BDAY"), Action::kSet, {&ContactRecord::birthday}},
    {QLatin1String("URL"), Action::kSet, {&ContactRecord::webPage}},
    {QLatin1String("ADR;TYPE=WORK"), Action::kAddress, {}, &kWorkAddress},
    {QLatin1String("ADR;TYPE=HOME"), Action::kAddress, {}, &kHomeAddress},
    {QLatin1String("ADR"), Action::kAddress, {}, &kOtherAddress},
    {QLatin1String("X-MSN"),
     Action::kFill,
     {&ContactRecord::im, &ContactRecord::im2, &ContactRecord::im3}},
    {QLatin1String("X-YAHOO"),
     Action::kFill,
     {&ContactRecord::im, &ContactRecord::im2, &ContactRecord::im3}},
    {QLatin1String("X-GTALK"),
     Action::kFill,
     {&ContactRecord::im, &ContactRecord::im2, &ContactRecord::im3}},
    {QLatin1String("X-SKYPE"),
     Action::kFill,
     {&ContactRecord::im, &ContactRecord::im2, &ContactRecord::im3}},
    {QLatin1String("EMAIL;TYPE=INTERNET"),
     Action::kFill,
     {&ContactRecord::eMail, &ContactRecord::eMail2, &ContactRecord::eMail3}},
};

struct LabelRule {
  QLatin1String label;
  Field column;
};

// The labels of grouped lines that name a column.
const LabelRule kLabelRules[] = {
    {QLatin1String("COMPANY_MAIN"), &ContactRecord::companyTel},
    {QLatin1String("RADIO"), &ContactRecord::radioTel},
    {QLatin1String("ASSISTANT"), &ContactRecord::assistantTel},
    {QLatin1String("_$!<Anniversary>!$_"), &ContactRecord::anniversary},
    {QLatin1String("_$!<Spouse>!$_"), &ContactRecord::spouse},
    {QLatin1String("_$!<Child>!$_"), &ContactRecord::children},
    {QLatin1String("_$!<Assistant>!$_"), &ContactRecord::assistant},
    {QLatin1String("_$!<Manager>!$_"), &ContactRecord::manager},
};

const PropertyRule* FindPropertyRule(const QString& name) {
  for (const PropertyRule& rule : kPropertyRules) {
    if (IsNamed(name, rule.name)) return &rule;
  }
  return nullptr;
}

const LabelRule* FindLabelRule(const QString& label) {
  for (const LabelRule& rule : kLabelRules) {
    if (IsNamed(label, rule.label)) return &rule;
  }
  return nullptr;
}

// ---- One card ------------------------------------------------------------------------------

class CardBuilder {
 public:
  // "N:Last;First;Middle;Title;Suffix".
  void SetName(const QString& value) {
    auto components = Components<5>(value);
    record_.lastName = components[0];
    record_.firstName = components[1];
    record_.middleName = components[2];
    record_.title = components[3];
    record_.suffix = components[4];
  }

  // The line after a grouped line is its label line, whatever its name.
  bool AwaitsLabel() const { return item_.has_value(); }

  void Add(const Property& property) {
    if (item_) {
      ApplyLabel(property.value);
    } else if (property.name.startsWith(QLatin1String("item"), Qt::CaseInsensitive)) {
      item_ = property;
    } else if (const PropertyRule* rule = FindPropertyRule(property.name)) {
      Apply(*rule, property);
    } else {
      AddUnlisted(property);
    }
  }

  // A note goes before what the notes collected so far.
  void AddNote(const QString& note) { record_.notes.prepend(note); }

  ContactRecord Finish() {
    // A grouped line whose label line never came is kept like any line without a column.
    if (item_ && !item_->value.isEmpty()) AddUnlisted(*item_);
    item_.reset();
    return std::move(record_);
  }

 private:
  void Apply(const PropertyRule& rule, const Property& property) {
    switch (rule.action) {
      case Action::kSet:
        record_.*rule.columns[0] = property.value;
        return;
      case Action::kFill:
        for (Field column : rule.columns) {
          if (column == nullptr) break;
          if ((record_.*column).isEmpty()) {
            record_.*column = property.value;
            return;
          }
        }
        AddUnlisted(property);  // every column of the kind is taken
        return;
      case Action::kAddress:
        AddAddress(*rule.address, property.value);
        return;
    }
  }

  // "ADR:box;extended;street;city;state;zip;country". The first address of a kind fills its
  // columns, with the post-office box and extended address kept in the notes; any further one
  // of the same kind goes to the notes whole.
  void AddAddress(const AddressKind& kind, const QString& value) {
    if (record_.*kind.seen) {
      record_.notes += QLatin1String("\r\n") + kind.noteLabel + value;
      return;
    }
    auto components = Components<7>(value);
    for (size_t i = 0; i < kind.columns.size(); ++i) record_.*kind.columns[i] = components[i + 2];
    if (!components[0].isEmpty() || !components[1].isEmpty()) {
      record_.notes +=
          QLatin1String("\r\n") + kind.noteLabel + components[0] + QLatin1Char(' ') + components[1];
    }
    record_.*kind.seen = 1;
  }

  void ApplyLabel(const QString& label) {
    Property item = std::move(*item_);
    item_.reset();
    if (item.value.isEmpty()) return;  // nothing to store, and nothing to move out of place
    if (const LabelRule* rule = FindLabelRule(label)) {
      record_.*rule->column = item.value;
    } else {
      record_.notes += QLatin1String("\r\n") + label + QLatin1Char(':') + item.value;
    }
  }

  void AddUnlisted(const Property& property) {
    record_.notes += QLatin1String("\r\n") + property.name + QLatin1Char(':') + property.value;
  }

  ContactRecord record_;
  std::optional<Property> item_;  // a grouped line waiting for its label line
};

// A note and its folded continuation lines (each begins with a blank and is kept whole). Leaves
// in `line` the line after the note; false when the text ended.
bool ReadNote(const QString& value, TextLines& lines, QString* line, CardBuilder& card) {
  QString note = value + QLatin1String("\r\n");
  bool more;
  while ((more = lines.Next(line)) && line->startsWith(QLatin1Char(' '))) {
    note += *line + QLatin1String("\r\n");
  }
  card.AddNote(note);
  return more;
}

// Reads a card from the line after its "BEGIN:VCARD" to its end.
ContactRecord ReadCard(TextLines& lines) {
  CardBuilder card;
  QString line;
  // The name line is the third line, whatever the two before it are (the version and the
  // formatted name). A card that ends before it has no name, and leaves the next card alone.
  for (int i = 0; i < 3; ++i) {
    if (!lines.Next(&line) || IsCardEnd(line)) return card.Finish();
  }
  card.SetName(SplitProperty(line).value);

  bool more = lines.Next(&line);
  while (more && !IsCardEnd(line)) {
    Property property = SplitProperty(line);
    if (!card.AwaitsLabel() && IsNamed(property.name, QLatin1String("NOTE"))) {
      more = ReadNote(property.value, lines, &line, card);
      continue;
    }
    card.Add(property);
    more = lines.Next(&line);
  }
  return card.Finish();
}

}  // namespace

void ReadVCards(const QByteArray& bytes, const std::function<void(const ContactRecord&)>& onCard) {
  TextLines lines(bytes);
  QString line;
  while (lines.Next(&line)) {
    if (IsNamed(line, QLatin1String("BEGIN:VCARD"))) onCard(ReadCard(lines));
  }
}
