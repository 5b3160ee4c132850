#include "desktop/exchange/vcard/vcard_text.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <array>

#include "common/ansi_text.h"

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

int HexDigit(QChar c) {
  char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  return -1;
}

// The character sets that code page 936 reads: GB18030 reads each one's byte sequences the same.
constexpr std::array<const char*, 4> kCodePage936Names = {"GB2312", "GBK", "GB18030", "CP936"};

// `bytes` as text in `charset` (see DecodedQuotedPrintable).
QString DecodedBytes(const QByteArray& bytes, QStringView charset) {
  auto isCharset = [&](const char* name) {
    return charset.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
  };
  if (std::any_of(kCodePage936Names.begin(), kCodePage936Names.end(), isCharset)) {
    return AnsiToWide(bytes);
  }
  constexpr auto kWhole = QStringDecoder::Flag::Stateless;  // a character cut off is no character
  if (!charset.isEmpty()) {
    QStringDecoder decoder(charset.toLatin1().constData(), kWhole);
    if (decoder.isValid()) return decoder(bytes);
  }
  QStringDecoder utf8(QStringDecoder::Utf8, kWhole);
  QString text = utf8(bytes);
  return utf8.hasError() ? AnsiToWide(bytes) : text;
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

QString StoredVCardDate(const QString& date) {
  auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
  if (date.size() != 8 || !std::all_of(date.begin(), date.end(), digit)) return date;
  return date.first(4) + u'-' + date.sliced(4, 2) + u'-' + date.sliced(6);
}

QString DecodedQuotedPrintable(QStringView value, QStringView charset) {
  QString text;
  QByteArray bytes;  // not yet decoded
  for (qsizetype i = 0; i < value.size(); ++i) {
    QChar c = value[i];
    if (c == u'=' && i + 2 < value.size() && HexDigit(value[i + 1]) >= 0 &&
        HexDigit(value[i + 2]) >= 0) {
      bytes += static_cast<char>(HexDigit(value[i + 1]) * 16 + HexDigit(value[i + 2]));
      i += 2;
    } else if (c == u'=' && i + 1 == value.size()) {
      break;  // a soft line break
    } else if (c.unicode() < 0x80) {
      bytes += static_cast<char>(c.unicode());
    } else {
      text += DecodedBytes(bytes, charset);
      bytes.clear();
      text += c;
    }
  }
  return text + DecodedBytes(bytes, charset);
}
