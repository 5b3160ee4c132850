#include "tests/device/contacts/contacts_testing.h"

#include "device/contacts/contacts_backup_job.h"
#include "device/contacts/contacts_restore_job.h"
#include "device/contacts/marrowind_program.h"
#include "device/frame/device_program.h"
#include "device/frame/job_outcome.h"

ContactsTest::ContactsTest() { InstallDeviceProgram(MarrowindProgram()); }

void ContactsTest::ExpectMessage(const QString& text) {
  script_.ExpectMessageBox(text, "Marrowind", IDOK);
}

double ContactsTest::Backup(const QString& fileName) {
  CContactsBackupJob job(BackupModeForPath(fileName), Path(fileName));
  EXPECT_TRUE(job.m_session.OpenContactStore());
  FinishJob(RunContactsBackup(job.m_session, job), job.m_progress);
  EXPECT_EQ(job.m_progress.done, 1);
  return job.m_progress.progress;
}

void ContactsTest::Restore(const QString& fileName) {
  CContactsRestoreJob job(Path(fileName));
  EXPECT_TRUE(job.m_session.OpenContactStore());
  FinishJob(RestoreContactsFile(job.m_session, job), job.m_progress);
  EXPECT_EQ(job.m_progress.done, 1);
}

QStringList ContactsTest::FirstNames() {
  QStringList names;
  for (const PhoneContact& contact : phone_.Contacts()) {
    auto first = contact.texts.find(Prop(backup_item::kFirstName));
    names << (first != contact.texts.end() ? first->second : QString());
  }
  return names;
}

PhoneContact ContactWith(const std::map<int, QString>& texts) {
  PhoneContact contact;
  for (const auto& [item, text] : texts) contact.texts[Prop(item)] = text;
  return contact;
}
