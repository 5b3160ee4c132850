#pragma once

#include <QString>

// Imports the cards of a vCard file of any size (see vcard_parser.h), read a batch at a time,
// into Contact_Table of the database at `databasePath`. Each card becomes a phone contact that
// replaces the rows of its composed name ("Last,First Middle") stored before the import (see
// ContactReplacer); a card without any value is no contact: it is neither stored nor counted. All
// cards go in under one transaction; a card that the database refuses keeps the rows it would
// have replaced, and the others still go in.
//
// Ends with one message box that counts the cards stored and the cards that failed, or one that
// says why the file was not read (a card over the bound of vcard_parser.h, a read error; then
// nothing of it is stored). Returns false when no file exists at `vcardPath` (nothing is
// shown and nothing changes); true otherwise, once the message has been closed, when the caller
// marks the data as changed.
bool ImportVCard(const QString& vcardPath, const QString& databasePath);
