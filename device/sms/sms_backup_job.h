#pragma once

#include <QIODevice>
#include <QString>

#include <array>

#include "device/frame/job_progress.h"
#include "device/sms/mapi_session.h"
#include "device/sms/sms_backup_file.h"
#include "device/sms/sms_job_outcome.h"

// What a backup writes: an SMS backup file, or a plain-text listing.
enum class SmsBackupMode { kBackupFile, kTextListing };

// A backup of the chosen special folders of the store "SMS", with their subfolders, into one
// file. The main frame builds it on its stack; the constructor opens the session, the destructor
// closes it. The worker writes the file and counts the messages written; progress is that count
// over the total counted before the worker started.
class CSmsBackupJob {
 public:
  using FolderFlags = std::array<bool, kSmsFolderCount>;  // true: back the folder up
  static constexpr FolderFlags kAllFolders = {true, true, true, true, true};

  CSmsBackupJob(SmsBackupMode mode, const QString& path, const FolderFlags& folderFlags);

  QString m_strPath;
  FolderFlags m_folderFlags;
  SmsBackupMode m_mode;
  CMapiSession m_session;
  JobProgress m_progress;
  int m_nTotal = 0;
  int m_nCount = 0;
};

// The messages of a folder and of all its subfolders, as their tables count them.
int CountFolderMessages(CSmsBackupJob& job, CMapiFolder& folder);

// The messages of the selected folders that the store gives.
int CountSelectedMessages(CSmsBackupJob& job);

// Writes every message of the folder, then each subfolder in hierarchy order, depth first, with
// the writer of the job's mode; each message written counts towards the job's progress. False
// when the folder's table or subfolders cannot be read in full or a write fails.
bool BackupFolder(CSmsBackupJob& job, QIODevice& file, CMapiFolder& folder);

// BackupFolder over the selected folders in the order Draft, Inbox, Outbox, Sentedbox,
// Wastebox. False at the first folder that fails or that the store does not give.
bool BackupSelectedFolders(CSmsBackupJob& job, QIODevice& file);

// The worker's work: writes the file of the job's mode and says how it went. The file replaces
// the target only when it is whole; a backup that fails keeps the previous file and leaves no
// fragment, and a write error is told in the system's words ("No space left on device").
JobOutcome RunSmsBackup(CSmsBackupJob& job);
