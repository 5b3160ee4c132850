#include "desktop/exchange/vcard/vcard_text.h"

#include <QDate>
#include <QRegularExpression>

QString EscapedVCardText(const QString& text) {
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
  qsizetype backslash = value.indexOf(u'\\');
  if (backslash < 0) return value.toString();
  QString text;
  text.reserve(value.size());
  text += value.first(backslash);
  for (qsizetype i = backslash; i < value.size(); ++i) {
    QChar c = value[i];
    QChar next = c == u'\\' && i + 1 < value.size() ? value[i + 1] : QChar();
    switch (next.unicode()) {
      case 'n':
      case 'N':
        text += QLatin1String("\r\n");
        ++i;
        break;
      case '\\':
      case ',':
      case ';':
      case '"':
        text += next;
        ++i;
        break;
      default:  // no escape: the character, a lone backslash included, stays
        text += c;
    }
  }
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
