#pragma once

#include <QString>

#include "desktop/store/database_connection.h"

// Writes every contact of Contact_Table of the database at `databasePath` as a vCard 3.0 card
// into the file at `path`, phone contacts first: the properties that vCard has, grouped "item"
// lines with an "X-ABLabel" label for telephones, related names and dates it lacks, and the rest
// at the end of the note (see vcard_fields.h). CR LF line ends, UTF-8 without a byte-order mark
// (what address books read; the vCard import reads it back as UTF-8).
//
// Every value is escaped as vCard 3.0 text (see vcard_text.h), so that none can break the card's
// structure. Birthday and Anniversary are written as "YYYY-MM-DD" when the stored text is a date
// ("1980-5-7", "1980-05-07", "1980/5/7"), as they are stored otherwise.
//
// The file replaces any file at the path only once it is complete. Returns 1 when it was
// written; 0 when the table has no row (nothing is created), or when the rows cannot be read or
// the file cannot be written (nothing is left behind, an existing file stays as it was).
int WriteVCardFile(const QString& path,
                   const QString& databasePath = QString::fromLatin1(kContactDatabaseFile));
