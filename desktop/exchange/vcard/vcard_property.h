#pragma once

#include <QLatin1String>
#include <QStringView>
#include <QVarLengthArray>

// A line of a card taken apart: "group.NAME;PARAMETER=value;PARAMETER=\"a,b\";BARE:value", as
// vCard 2.1, 3.0 and 4.0 write it. Names and parameters are compared without regard to ASCII
// case: phones and address books write "TEL;type=cell" as often as "TEL;TYPE=CELL".
struct VCardProperty {
  QStringView name;        // with its group ("item1.TEL"), up to the first semicolon
  QStringView parameters;  // from that semicolon to the colon that ends them; empty without one
  QStringView written;     // the name and the parameters, as the line writes them
  QStringView value;       // everything after that colon, colons included
};

// Colons before the name are skipped. The value begins after the first colon that is not inside
// double quotes in the parameters (vCard 4.0 quotes a parameter value that holds one), or after
// the first colon at all when a quote is left open; a line without a colon is all name.
VCardProperty SplitVCardProperty(QStringView line);

// What the import reads of a property's parameters.
struct VCardParameters {
  // The types as written, without quotes: each comma-separated value of a TYPE parameter
  // ("TYPE=WORK,VOICE", "type=\"cell,voice\"") and each parameter without a value (vCard 2.1's
  // "TEL;CELL;VOICE").
  QVarLengthArray<QStringView, 4> types;
  // ENCODING=QUOTED-PRINTABLE, or vCard 2.1's bare QUOTED-PRINTABLE.
  bool quotedPrintable = false;
  QStringView charset;  // CHARSET's value: what the quoted-printable bytes are in
  bool uri = false;     // VALUE=uri: vCard 4.0 writes a number as "tel:+44..."
};

// `parameters` as SplitVCardProperty gives them. A semicolon or comma inside double quotes
// separates nothing.
VCardParameters ReadVCardParameters(QStringView parameters);

// Whether `text` is `name` in any ASCII case. Names are compared many times for every line: the
// sizes are compared first, and no Unicode case folding is done.
template <typename Name>  // QLatin1String or QStringView: a view, for a cheap [i]
inline bool IsAsciiCaseEqual(QStringView text, Name name) {
  if (text.size() != name.size()) return false;
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; };
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (lower(text[i].unicode()) != lower(QChar(name[i]).unicode())) return false;
  }
  return true;
}

inline bool IsVCardName(QStringView text, QLatin1String name) {
  return IsAsciiCaseEqual(text, name);
}
inline bool IsVCardName(QStringView text, QStringView name) { return IsAsciiCaseEqual(text, name); }

inline bool BeginsWithVCardName(QStringView text, QLatin1String prefix) {
  return text.size() >= prefix.size() && IsVCardName(text.first(prefix.size()), prefix);
}
