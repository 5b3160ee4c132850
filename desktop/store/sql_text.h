#pragma once

#include <QString>

// Every value that goes into the text of an SQL statement is quoted here: between single quotes,
// with each single quote inside doubled, so that no value can end the literal early, break the
// statement or add one, and the stored value is exactly the value given.
QString SqlQuote(const QString& value);
