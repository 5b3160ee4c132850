#pragma once

class CMainFrame;

// Skeldra's commands on the main frame: menu 128 "Menu" > "&Backup Messages" and "&Restore
// Messages", and the form's first two buttons. "Buttons" > "&Exit" (32785) and the third button
// close the main window through the frame.
inline constexpr int ID_SKELDRA_EXIT = 32785;
inline constexpr int ID_BACKUP_MESSAGES = 32786;
inline constexpr int ID_RESTORE_MESSAGES = 32787;

// Asks for a file to save to ("QRD_" and the local time as "%Y%m%d_%H%M.qrd" offered) and backs
// up all five special folders into it: a name ending in ".txt" (exactly so) gets the text
// listing, any other an SMS backup file. When the session does not open, one message says what is
// wrong with the phone's database (read-only, another file, damaged, locked), or else "SMS
// Account Initialization Failed.".
void BackupMessages(CMainFrame& frame);

// Asks for a backup file, has the restore confirmed, and restores the file's messages; a session
// that does not open is reported as for the backup.
void RestoreMessages(CMainFrame& frame);
