#pragma once

#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/exchange/export_outcome.h"
#include "desktop/exchange/vcard/vcard_import.h"

// The messages that tell the user how work ended, where the work returns its outcome and shows
// nothing (the contact database, the imports and exports) or where more than one window tells
// it: each text is written here once.

// Why the contact database cannot serve ("Can't open database!", ...).
QString DatabaseFaultText(DatabaseFault fault);

// Why the contact database cannot serve, in the tips box; nothing for kNone.
void ShowDatabaseFault(DatabaseFault fault);

// "No contact records!" in the tips box, when there is nothing to search or export; returns the
// button the user chose.
int ShowNoContactRecords();

// "Paint error!" in the tips box: a contact's picture that could not be drawn.
void ShowPaintError();

// A contacts backup import: a tips box for each ring-tone file that could not be written, then
// the outcome ("Import contacts complete!" or why not).
void ShowBackupImportOutcome(const BackupImportOutcome& outcome);

// A contacts backup or text export: a tips box for each ring-tone file that could not be read,
// then the outcome ("Contacts exported complete!" or why not).
void ShowContactsExportOutcome(const ExportOutcome& outcome);

// A vCard import that found its file: why the database took no card in a tips box, then the
// result box that counts the cards stored and failed, or says why the file was not read.
void ShowVCardImportOutcome(const VCardImportOutcome& outcome);
