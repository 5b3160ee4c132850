#include "desktop/exchange/vcard/vcard_text.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>

namespace {

bool NeedsEscape(QChar c) {
  switch (c.unicode()) {
    case '\r':
    case '\n':
    case '\\':
    case ',':
    case ';':
      return true;
    default:
      return false;
  }
}

}  // namespace

QString EscapedVCardText(const QString& text) {
  if (std::none_of(text.begin(), text.end(), NeedsEscape)) return text;
  QString escaped;
  escaped.reserve(text.size() + 8);
  for (QChar c : text) {
    switch (c.unicode()) {
      case '\r':
        break;
      case '\n':
        escaped += QLatin1String("\\n");
        break;
      case '\\':
      case ',':
      case ';':
        escaped += QLatin1Char('\\');
        escaped += c;
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

QString UnescapedVCardText(QStringView value) {
  // Values are short: a plain search beats the general one of QStringView::indexOf.
  auto nextBackslash = [&](qsizetype from) {
    return std::find(value.begin() + from, value.end(), QLatin1Char('\\')) - value.begin();
  };
  qsizetype backslash = nextBackslash(0);
  if (backslash == value.size()) return value.toString();
  QString text;
  text.reserve(value.size());
  qsizetype done = 0;  // what is in `text`
  for (; backslash + 1 < value.size(); backslash = nextBackslash(done)) {
    text += value.sliced(done, backslash - done);
    QChar next = value[backslash + 1];
    done = backslash + 2;
    switch (next.unicode()) {
      case 'n':
      case 'N':
        text += QLatin1String("\r\n");
        break;
      case '\\':
      case ',':
      case ';':
      case '"':
        text += next;
        break;
      default:  // no escape: the backslash stays, and the character after it is read as usual
        text += QLatin1Char('\\');
        done = backslash + 1;
    }
  }
  text += value.sliced(done);
  return text;
}

qsizetype VCardComponentEnd(QStringView value, qsizetype from) {
  for (qsizetype i = from; i < value.size(); ++i) {
    if (value[i] == u';') return i;
    if (value[i] == u'\\') ++i;  // the escaped character separates nothing
  }
  return value.size();
}

QString VCardDate(const QString& stored) {
  static const QRegularExpression kDate(
      QStringLiteral("^([0-9]{4})([-/])([0-9]{1,2})\\2([0-9]{1,2})$"));
  QRegularExpressionMatch match = kDate.match(stored);
  if (!match.hasMatch()) return stored;
  QDate date(match.captured(1).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
  return date.isValid() ? date.toString(Qt::ISODate) : stored;
}
