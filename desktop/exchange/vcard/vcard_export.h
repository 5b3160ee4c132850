#pragma once

#include <QString>

#include "desktop/store/database_connection.h"

// Writes every contact of Contact_Table of the database at `databasePath` as a vCard 3.0 card
// into the file at `path`, phone contacts first: the properties that vCard has, grouped "item"
// lines with an "X-ABLabel" label for telephones, related names and dates it lacks, and the rest
// in the note. CR LF line ends, code page 936 (the encoding the vCard import reads).
//
// Values are escaped so that none can break the card's structure: a backslash before each comma
// and double quotation mark, line breaks as a backslash and "n", and in the components of the
// name and the addresses a backslash before each semicolon and backslash.
//
// The file replaces any file at the path only once it is complete. Returns 1 when it was
// written; 0 when the table has no row (nothing is created), or when the rows cannot be read or
// the file cannot be written (nothing is left behind, an existing file stays as it was).
int WriteVCardFile(const QString& path,
                   const QString& databasePath = QString::fromLatin1(kContactDatabaseFile));
