#include "device/sms/sms_commands.h"

#include <QDateTime>

#include "device/frame/device_text.h"
#include "device/frame/phone_database_message.h"
#include "device/resources/skeldra_string_ids.h"
#include "device/sms/sms_job_threads.h"
#include "platform/device/shell/message_box.h"
#include "platform/windows/message_service.h"
#include "platform/windows/resources.h"

namespace {

constexpr unsigned kFileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// Says why the session did not open: what is wrong with the phone's database, or else that the
// phone has no message store "SMS".
void ReportUnopenedSession() {
  const QString message = PhoneDatabaseProblemMessage();
  AfxMessageBox(message.isEmpty() ? LoadString(skeldra_strings::kNoSmsAccount) : message, MB_OK);
}

std::optional<QString> AskForFile(bool save, int title, const QString& filter,
                                  const QString& fileName) {
  FileDialogRequest request;
  request.save = save;
  request.title = LoadString(title);
  request.filter = filter;
  request.defaultExtension = QStringLiteral("qrd");
  request.fileName = fileName;
  request.flags = kFileDialogFlags;
  return RunFileDialog(request);
}

}  // namespace

void BackupMessages(CMainFrame&) {
  const QString defaultName =
      QStringLiteral("QRD_") +
      QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmm")) +
      QStringLiteral(".qrd");
  std::optional<QString> path =
      AskForFile(true, skeldra_strings::kSelectSavePathTitle,
                 QStringLiteral("Skeldra File(*.qrd)|*.qrd|Text File(*.txt)|*.txt|"), defaultName);
  if (!path) return;
  const SmsBackupMode mode = GetFileExtension(*path) == QLatin1String(".txt")
                                 ? SmsBackupMode::kTextListing
                                 : SmsBackupMode::kBackupFile;
  CSmsBackupJob job(mode, *path, CSmsBackupJob::kAllFolders);
  if (job.m_session.IsOpened()) {
    StartSmsBackup(job);
  } else {
    ReportUnopenedSession();
  }
}

void RestoreMessages(CMainFrame&) {
  std::optional<QString> path = AskForFile(false, skeldra_strings::kSelectFilePathTitle,
                                           QStringLiteral("Skeldra File(*.qrd)|*.qrd|"), QString());
  if (!path) return;
  const QString question = QStringLiteral("Are you sure to restore sms from file:") + *path;
  if (AfxMessageBox(question, MB_OKCANCEL) != IDOK) return;
  CSmsRestoreJob job(*path);
  if (job.m_session.IsOpened()) {
    StartSmsRestore(job);
  } else {
    ReportUnopenedSession();
  }
}
