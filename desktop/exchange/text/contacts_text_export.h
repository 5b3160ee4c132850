#pragma once

#include <QString>

#include "desktop/exchange/progress_sink.h"

// Writes every contact of Contact_Table of the database at `databasePath` into a text file for
// people to read: one block of labelled lines per contact, phone contacts first, each block
// closed by a line of 44 dashes; CR LF line ends, code page 936. The file is moved into place
// only when complete.
//
// Reports the outcome in a tips box ("Contacts exported complete!" or an error). Returns true
// when the file was written.
bool ExportContactsText(const QString& textPath, const QString& databasePath,
                        ProgressSink* progress);
