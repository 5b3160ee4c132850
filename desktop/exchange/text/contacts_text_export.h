#pragma once

#include <QString>

#include "desktop/exchange/export_outcome.h"
#include "desktop/exchange/progress_sink.h"

// Writes every contact of Contact_Table of the database at `databasePath` into a text file for
// people to read: one block of labelled lines per contact, phone contacts first, each block
// closed by a line of 44 dashes; CR LF line ends, code page 936. The file is moved into place
// only when complete: a failed export leaves nothing behind.
ExportOutcome ExportContactsText(const QString& textPath, const QString& databasePath,
                                 ProgressSink* progress);
