#pragma once

#include <QString>

// The name an import stores in SIM_Name for a phone contact, and by which it replaces a stored
// contact of the same name: "Last,First Middle". The comma follows a last name, the blank
// precedes a middle name, each part only when it has text; a last name alone keeps its comma.
QString ComposedContactName(const QString& first, const QString& middle, const QString& last);
