#pragma once

#include <QString>

#include "desktop/exchange/csv/column_config_file.h"
#include "desktop/exchange/export_outcome.h"
#include "desktop/store/database_connection.h"

// The CSV export file: a header line, then one line per row of Contact_Table (phone contacts
// first). Every field is enclosed in double quotes, with each double quote inside doubled and
// every line break inside a field written as CR LF; fields are joined by commas, lines end with
// CR LF on disk; text is code page 936, without a byte-order mark.
//
// Two kinds of layout: the Google layout, a fixed header of 67 columns, and the common layouts
// ("Default", "Outlook" and saved ones), which write the same 55 columns under the names the
// user gives them.

// True for "Google" in any letter case.
bool IsGoogleLayout(const QString& layoutName);

// The column names of the built-in common layouts, in column-layout (canonical) order.
const ColumnConfigFile& DefaultCsvColumns();
const ColumnConfigFile& OutlookCsvColumns();

// The Google header line: the 67 quoted names joined by commas, with its final LF.
QString BuildGoogleCsvHeader();
// The header line of a common layout: the 55 names, taken from canonical order into the order
// of the table's columns, with its final LF.
QString BuildCommonCsvHeader(const ColumnConfigFile& names);

// Each writes the whole file at `path`: its header and a line for every contact of the database
// at `databasePath`. The file replaces any file at the path only once it is complete, so a
// failed export leaves nothing behind and an existing file untouched; a table without rows
// creates nothing.
ExportOutcome WriteCommonCsvRows(
    const QString& path, const ColumnConfigFile& names,
    const QString& databasePath = QString::fromLatin1(kContactDatabaseFile));
ExportOutcome WriteGoogleCsvRows(
    const QString& path, const QString& databasePath = QString::fromLatin1(kContactDatabaseFile));
