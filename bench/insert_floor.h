#pragma once

#include <QString>

#include <optional>

// The floor the imports are measured against: the generated contacts (ContactGenerator), each
// as the 62 values of a row, inserted into a plain 62-column table of a new database through
// one prepared statement with bound values, under one transaction. Nothing is read, decoded,
// looked up or replaced: this is what storing the rows costs at least.
//
// The rows are made before the clock starts. The database is made in a temporary folder inside
// `folder` (so on the same disk as the import it is compared with) and removed afterwards.
// Returns the seconds from the prepare to the commit, or nothing when a statement failed.
std::optional<double> TimeInsertFloor(const QString& folder, int total, bool withPictures);
