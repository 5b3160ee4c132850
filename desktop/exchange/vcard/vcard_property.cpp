#include "desktop/exchange/vcard/vcard_property.h"

#include <algorithm>

namespace {

// Where the piece that starts at `from` ends: at the first `separator` outside double quotes, or
// at the end of `text`. `open` tells whether a quote was left open.
qsizetype PieceEnd(QStringView text, qsizetype from, char16_t separator, bool* open = nullptr) {
  bool quoted = false;
  qsizetype i = from;
  for (; i < text.size(); ++i) {
    char16_t c = text[i].unicode();
    if (c == u'"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      break;
    }
  }
  if (open != nullptr) *open = quoted;
  return i;
}

// Values are short: a plain search beats the general one of QStringView::indexOf.
qsizetype IndexOf(QStringView text, qsizetype from, char16_t c) {
  return std::find(text.begin() + from, text.end(), QChar(c)) - text.begin();
}

QStringView Unquoted(QStringView text) {
  if (text.startsWith(u'"')) text = text.sliced(1);
  if (text.endsWith(u'"')) text.chop(1);
  return text;
}

// "WORK,VOICE", "\"cell,voice\"": the quotes hold the list, not a type.
void AddTypes(QStringView list, VCardParameters* read) {
  for (qsizetype at = 0; at <= list.size();) {
    qsizetype end = IndexOf(list, at, u',');
    read->types.append(Unquoted(list.sliced(at, end - at)));
    at = end + 1;
  }
}

}  // namespace

VCardProperty SplitVCardProperty(QStringView line) {
  qsizetype start = 0;
  while (start < line.size() && line[start] == u':') ++start;
  line = line.sliced(start);
  qsizetype nameEnd =
      std::find_if(line.begin(), line.end(), [](QChar c) { return c == u':' || c == u';'; }) -
      line.begin();
  qsizetype colon = nameEnd;
  if (colon < line.size() && line[colon] == u';') {
    bool open = false;
    colon = PieceEnd(line, nameEnd, u':', &open);
    if (open) colon = IndexOf(line, nameEnd, u':');
  }
  VCardProperty property;
  property.name = line.first(nameEnd);
  property.parameters = line.sliced(nameEnd, colon - nameEnd);
  property.written = line.first(colon);
  if (colon < line.size()) property.value = line.sliced(colon + 1);
  return property;
}

VCardParameters ReadVCardParameters(QStringView parameters) {
  VCardParameters read;
  for (qsizetype at = 1; at <= parameters.size();) {
    qsizetype end = PieceEnd(parameters, at, u';');
    QStringView parameter = parameters.sliced(at, end - at);
    at = end + 1;
    qsizetype equals = IndexOf(parameter, 0, u'=');
    if (equals == parameter.size()) {  // vCard 2.1's bare type or encoding
      QStringView bare = Unquoted(parameter);
      if (IsVCardName(bare, QLatin1String("QUOTED-PRINTABLE"))) {
        read.quotedPrintable = true;
      } else {
        read.types.append(bare);
      }
      continue;
    }
    QStringView key = parameter.first(equals);
    QStringView value = Unquoted(parameter.sliced(equals + 1));
    if (IsVCardName(key, QLatin1String("TYPE"))) {
      AddTypes(parameter.sliced(equals + 1), &read);
    } else if (IsVCardName(key, QLatin1String("ENCODING"))) {
      read.quotedPrintable = IsVCardName(value, QLatin1String("QUOTED-PRINTABLE"));
    } else if (IsVCardName(key, QLatin1String("CHARSET"))) {
      read.charset = value;
    } else if (IsVCardName(key, QLatin1String("VALUE"))) {
      read.uri = IsVCardName(value, QLatin1String("uri"));
    }
  }
  return read;
}
