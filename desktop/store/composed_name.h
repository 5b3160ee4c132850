#pragma once

#include <QByteArray>
#include <QString>

// The name an import stores in SIM_Name for a phone contact, and by which it replaces a stored
// contact of the same name: "Last,First Middle". The comma follows a last name, the blank
// precedes a middle name, each part only when it has text; a last name alone keeps its comma.
// Composed from wide text, or from the ANSI bytes the table stores, which gives the ANSI bytes
// of the same name.
template <typename Text>
Text ComposedContactName(const Text& first, const Text& middle, const Text& last) {
  Text name = first;
  if (!middle.isEmpty()) name.append(' ').append(middle);
  if (!last.isEmpty()) name = Text(last).append(',').append(name);
  return name;
}
