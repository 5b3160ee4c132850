#pragma once

#include <QDateTime>
#include <QString>

// The file name the export commands propose: "Contact_" + year, month, day, "_", hour, minute,
// without leading zeros (5 December 2011, 09:03 gives Contact_2011125_93).
QString DefaultExportName(const QDateTime& now);
