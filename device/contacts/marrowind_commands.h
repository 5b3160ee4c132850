#pragma once

#include <QDateTime>
#include <QString>

class CMainFrame;

// Marrowind's two commands, from the menu and the main form's first two buttons.
inline constexpr int ID_BACKUP_CONTACTS = 32777;
inline constexpr int ID_RESTORE_CONTACTS = 32776;

// Asks for a file to write ("VBX_" and the local time by default), then backs up every contact
// and SIM entry into it. Nothing happens when the dialog is cancelled. When the phone's stores do
// not open, a message says what is wrong with the phone's database (read-only, another file,
// damaged, locked); a phone without a SIM or a contact store gets no message.
void OnBackupContacts(CMainFrame& frame);
// Asks for a backup file and for confirmation, then restores its contacts. Nothing happens when
// either is declined; the phone's stores not opening is reported as for the backup.
void OnRestoreContacts(CMainFrame& frame);

// The backup's default file name at a local time: "VBX_" and "%Y%m%d_%H%M.vbx".
QString DefaultBackupFileName(const QDateTime& localTime);
