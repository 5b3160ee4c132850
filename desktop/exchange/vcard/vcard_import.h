#pragma once

#include <QString>
#include <QtGlobal>

// The largest vCard file the import reads: 128 MiB. A card of the program's own export takes a
// few hundred bytes, so this holds hundreds of thousands of contacts, or thousands with photos.
inline constexpr qint64 kMaxVCardFileBytes = qint64{128} * 1024 * 1024;

// Imports the cards of a vCard file (see vcard_parser.h) into Contact_Table of the database at
// `databasePath`. Each card becomes a phone contact that replaces the rows of its composed name
// ("Last,First Middle") stored before the import (see ContactReplacer); a card without any value
// is no contact: it is neither stored nor counted. All cards go in under one transaction; a card
// that the database refuses keeps the rows it would have replaced, and the others still go in.
//
// Ends with one message box that counts the cards stored and the cards that failed, or one that
// says why the file was not read. Returns false when no file exists at `vcardPath` (nothing is
// shown and nothing changes); true otherwise, once the message has been closed, when the caller
// marks the data as changed.
bool ImportVCard(const QString& vcardPath, const QString& databasePath);
