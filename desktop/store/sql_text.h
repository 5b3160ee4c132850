#pragma once

#include <QString>

// Values are bound to their statements (see contact_row_statement.h). The few statements that
// must carry a value in their text quote it here: between single quotes, with each single quote
// inside doubled, so that no value can end the literal early, break the statement or add one.
// A NUL byte still ends the text: such values must be bound.
QString SqlQuote(const QString& value);
