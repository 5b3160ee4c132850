#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The escapes of vCard 3.0 text values, written by the export and undone by the import.
//
// In a value, a backslash, comma and semicolon get a backslash before them and a line break is
// written as a backslash and "n" (a CR is dropped), so that no value can end its line, start a
// property or a card of its own, or move a component of a structured value (N, ADR) to another
// place. Reading undoes "\\", "\,", "\;", "\n" and "\N" (a line break, CR LF as the program keeps
// it), and "\"" too, which earlier exports wrote for a double quotation mark. Any other backslash
// is kept as it is.

QString EscapedVCardText(const QString& text);
QString UnescapedVCardText(QStringView value);

// A stored date (year, month and day in decimal, padded or not, separated by "-" or "/") as a
// vCard date, "YYYY-MM-DD"; any other text as it is.
QString VCardDate(const QString& stored);

// A vCard date as the program stores it: the basic form "YYYYMMDD" becomes "YYYY-MM-DD", which the
// rest of the program reads (as a year, month and day at fixed places); any other text stays as
// it is.
QString StoredVCardDate(const QString& date);

// A value in quoted-printable, vCard 2.1's encoding for text beyond ASCII, as text. "=" and two
// hexadecimal digits is a byte; a "=" at the end, a soft line break whose lines the reader has
// joined, is dropped; any other "=" is kept. The bytes are text in `charset`: code page 936 for
// GB2312, GBK, GB18030 and CP936, else any character set the system knows (UTF-8, ISO-8859-1,
// Windows-1252, Shift_JIS, Big5, ...). With no charset, or one unknown, they are UTF-8 when they
// are valid UTF-8, else code page 936, as a file's text. A character beyond ASCII, which
// quoted-printable never writes, is kept as it is.
QString DecodedQuotedPrintable(QStringView value, QStringView charset);

// Where the component that starts at `from` ends: the next semicolon without a backslash before
// it, or the end of the value.
qsizetype VCardComponentEnd(QStringView value, qsizetype from);

// The first N components of a structured value, unescaped; missing ones are empty, those after
// the Nth are dropped.
template <size_t N>
std::array<QString, N> VCardComponents(QStringView value) {
  std::array<QString, N> components;
  qsizetype start = 0;
  for (size_t i = 0; i < N && start <= value.size(); ++i) {
    qsizetype end = VCardComponentEnd(value, start);
    components[i] = UnescapedVCardText(value.sliced(start, end - start));
    start = end + 1;
  }
  return components;
}
