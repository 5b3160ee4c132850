#include "device/contacts/marrowind_commands.h"

#include <optional>

#include "device/contacts/contacts_backup_job.h"
#include "device/contacts/contacts_restore_job.h"
#include "device/frame/phone_database_message.h"
#include "device/resources/marrowind_string_ids.h"
#include "platform/device/shell/message_box.h"
#include "platform/windows/message_service.h"
#include "platform/windows/resources.h"

namespace {

constexpr char kBackupExtension[] = "vbx";

// Says why the contact store did not open when the phone's database is the reason. A phone
// without a SIM or a contact store gets no message, as the commands always had it.
void ReportUnopenedStore() {
  const QString message = PhoneDatabaseProblemMessage();
  if (!message.isEmpty()) AfxMessageBox(message, MB_OK);
}

}  // namespace

QString DefaultBackupFileName(const QDateTime& localTime) {
  return QStringLiteral("VBX_") + localTime.toString(QStringLiteral("yyyyMMdd_HHmm")) +
         QStringLiteral(".vbx");
}

void OnBackupContacts(CMainFrame&) {
  FileDialogRequest request;
  request.save = true;
  request.title = LoadString(marrowind_strings::kSaveTitle);
  request.filter = QStringLiteral("Marrowind File(*.vbx)|*.vbx|Text File(*.txt)|*.txt|");
  request.defaultExtension = QLatin1String(kBackupExtension);
  request.fileName = DefaultBackupFileName(QDateTime::currentDateTime());
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  const std::optional<QString> path = RunFileDialog(request);
  if (!path) return;

  CContactsBackupJob job(BackupModeForPath(*path), *path);
  if (job.m_session.OpenContactStore()) {
    StartContactsBackup(job);
  } else {
    ReportUnopenedStore();
  }
}

void OnRestoreContacts(CMainFrame&) {
  FileDialogRequest request;
  request.title = LoadString(marrowind_strings::kRestoreTitle);
  request.filter = QStringLiteral("Marrowind File(*.vbx)|*.vbx|");
  request.defaultExtension = QLatin1String(kBackupExtension);
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  const std::optional<QString> path = RunFileDialog(request);
  if (!path) return;
  const QString question = QStringLiteral("Are you sure to restore contacts from file:") + *path;
  if (AfxMessageBox(question, MB_OKCANCEL) != IDOK) return;

  CContactsRestoreJob job(*path);
  if (job.m_session.OpenContactStore()) {
    StartContactsRestore(job);
  } else {
    ReportUnopenedStore();
  }
}
