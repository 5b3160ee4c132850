#pragma once

#include <QString>

// Whether an export may write its file at `path`. An export reads the contact database while it
// writes and then puts its file in the target's place, so the database itself as the target would
// replace every contact with the export. That target is refused in the tips box, whatever name
// or link it is reached by, and nothing changes. Every export (contacts backup, text, CSV and
// vCard) asks here before it writes.
bool AcceptExportTarget(const QString& path);
