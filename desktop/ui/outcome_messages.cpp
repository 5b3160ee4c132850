#include "desktop/ui/outcome_messages.h"

#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/resources/resource_ids.h"
#include "platform/windows/message_service.h"

namespace {

QString BackupImportText(const BackupImportOutcome& outcome) {
  switch (outcome.result) {
    case BackupImportResult::kComplete:
      return QStringLiteral("Import contacts complete!");
    case BackupImportResult::kFileError:
      return QStringLiteral("Import file error!");
    case BackupImportResult::kDatabaseFault:
      return DatabaseFaultText(outcome.fault);
    case BackupImportResult::kFailed:
      break;
  }
  return QStringLiteral("Import fail!");
}

QString ContactsExportText(const ExportOutcome& outcome) {
  switch (outcome.result) {
    case ExportResult::kWritten:
      return QStringLiteral("Contacts exported complete!");
    case ExportResult::kDatabaseFault:
      return DatabaseFaultText(outcome.fault);
    case ExportResult::kCannotCreate:
      return QStringLiteral("Can't create export file!");
    case ExportResult::kNoRecords:  // not from these exports: an empty table is written as a file
    case ExportResult::kCannotWrite:
      break;
  }
  return QStringLiteral("Can't write export file!");
}

QString VCardImportText(const VCardImportOutcome& outcome) {
  switch (outcome.result) {
    case VCardImportResult::kRead:
    case VCardImportResult::kNotFound:  // nothing is shown for it
      break;
    case VCardImportResult::kTooLarge:
      return QStringLiteral("The vCard file holds a card too large to import (more than %1 MB)!")
          .arg(kMaxVCardCardBytes / (1024 * 1024));
    case VCardImportResult::kUnreadable:
      return QStringLiteral("Can't read the vCard file!");
  }
  return QString::asprintf(
      "Import vCard file finish! %d Record is Successed and %d Record is Failded!", outcome.stored,
      outcome.failed);
}

}  // namespace

QString DatabaseFaultText(DatabaseFault fault) {
  switch (fault) {
    case DatabaseFault::kNone:
      break;
    case DatabaseFault::kCannotOpen:
      return QStringLiteral("Can't open database!");
    case DatabaseFault::kLocked:
      return QStringLiteral("Database is locked!");
    case DatabaseFault::kCannotRead:
      return QStringLiteral("Can't read database!");
  }
  return QString();
}

void ShowDatabaseFault(DatabaseFault fault) {
  if (fault != DatabaseFault::kNone) ShowTips(kIconError, DatabaseFaultText(fault));
}

int ShowNoContactRecords() { return ShowTips(kIconError, QStringLiteral("No contact records!")); }

void ShowPaintError() { ShowTips(kIconError, QStringLiteral("Paint error!")); }

void ShowBackupImportOutcome(const BackupImportOutcome& outcome) {
  for (int i = 0; i < outcome.ringTones.unwritable; ++i) {
    ShowTips(kIconError, QStringLiteral("Can't open ring file!"));
  }
  if (outcome.ringTones.unusableName) {
    ShowTips(kIconError, QStringLiteral("Invalid ring file name skipped!"));
  }
  bool complete = outcome.result == BackupImportResult::kComplete;
  ShowTips(complete ? kIconSuccess : kIconError, BackupImportText(outcome));
}

void ShowContactsExportOutcome(const ExportOutcome& outcome) {
  for (const QString& path : outcome.unreadableRingTones) {
    ShowTips(kIconError, QStringLiteral("Can't open ") + path + QStringLiteral("!!"));
  }
  bool written = outcome.result == ExportResult::kWritten;
  ShowTips(written ? kIconSuccess : kIconError, ContactsExportText(outcome));
}

void ShowVCardImportOutcome(const VCardImportOutcome& outcome) {
  ShowDatabaseFault(outcome.fault);
  bool read = outcome.result == VCardImportResult::kRead;
  ShowMessageBox(VCardImportText(outcome), QStringLiteral("Import vCard File Result"),
                 MB_OK | (read ? MB_ICONINFORMATION : MB_ICONERROR));
}
