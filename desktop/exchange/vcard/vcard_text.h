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
