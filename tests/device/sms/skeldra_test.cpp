#include <QDialog>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include "device/frame/device_app.h"
#include "device/frame/device_view.h"
#include "device/sms/skeldra_program.h"
#include "device/sms/sms_commands.h"
#include "device/sms/sms_job_threads.h"
#include "tests/device/sms/sms_testing.h"
#include "tests/support/device_testing.h"
#include "tests/support/scripted_services.h"

namespace {

const QString kCaption = "Velthorn Skeldra";
const QString kNoAccount = "SMS Account Initialization Failed.";

class SkeldraTest : public SmsPhoneTest {
 protected:
  ~SkeldraTest() override { frame_.reset(); }

  void Start() {
    frame_ = InitDeviceInstance(SkeldraProgram());
    ASSERT_NE(frame_, nullptr);
  }

  void Click(int button) { frame_->View()->Button(button)->click(); }

  // The progress dialog, answered like a user who keeps pressing Cancel: it ends once the job is
  // done.
  void ExpectProgress() {
    script_.ExpectDialog([](QDialog* dialog) {
      EXPECT_TRUE(QTest::qWaitFor(
          [dialog] {
            dialog->reject();
            return dialog->result() == IDOK;
          },
          10'000));
      return dialog->result();
    });
  }

  void ExpectMessage(const QString& text, int answer = IDOK) {
    script_.ExpectMessageBox(text, kCaption, answer);
  }

  // The worker may show its outcome after the dialog has gone.
  void WaitForScript() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return script_.Done(); }, 10'000));
  }

  ScriptedServices script_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(SkeldraTest, CancelledDialogsChangeNothing) {
  Start();
  script_.ExpectFileDialog("Select Save Path.", std::nullopt);
  frame_->OnCommand(ID_BACKUP_MESSAGES);
  const FileDialogRequest save = script_.LastFileDialog();
  EXPECT_TRUE(save.save);
  EXPECT_EQ(save.filter, "Skeldra File(*.qrd)|*.qrd|Text File(*.txt)|*.txt|");
  EXPECT_EQ(save.defaultExtension, "qrd");
  EXPECT_EQ(save.flags, 6u);
  EXPECT_TRUE(QRegularExpression("^QRD_\\d{8}_\\d{4}\\.qrd$").match(save.fileName).hasMatch())
      << save.fileName.toStdString();

  script_.ExpectFileDialog("Select File Path.", std::nullopt);
  Click(1);
  const FileDialogRequest open = script_.LastFileDialog();
  EXPECT_FALSE(open.save);
  EXPECT_EQ(open.filter, "Skeldra File(*.qrd)|*.qrd|");
  EXPECT_EQ(open.fileName, "");
  EXPECT_EQ(open.flags, 6u);

  WriteFileBytes(Path("a.qrd"), SmsFileBytes({RecordBytes(SmsRecordFields{})}));
  script_.ExpectFileDialog("Select File Path.", Path("a.qrd"));
  ExpectMessage("Are you sure to restore sms from file:" + Path("a.qrd"), IDCANCEL);
  frame_->OnCommand(ID_RESTORE_MESSAGES);
  EXPECT_TRUE(phone_.Messages(Inbox()).empty());
}

TEST_F(SkeldraTest, WithoutAnSmsStoreBothCommandsSayNoAccount) {
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  Start();
  script_.ExpectFileDialog("Select Save Path.", Path("x.qrd"));
  ExpectMessage(kNoAccount);
  Click(0);
  EXPECT_FALSE(QFile::exists(Path("x.qrd")));

  WriteFileBytes(Path("a.qrd"), SmsFileBytes({}));
  script_.ExpectFileDialog("Select File Path.", Path("a.qrd"));
  ExpectMessage("Are you sure to restore sms from file:" + Path("a.qrd"));
  ExpectMessage(kNoAccount);
  frame_->OnCommand(ID_RESTORE_MESSAGES);
}

// A phone database Skeldra cannot use gets one message per command saying why, and is never
// written.
TEST_F(SkeldraTest, BothCommandsSayWhyThePhonesDatabaseCannotBeUsed) {
  WriteFileBytes(Path("a.qrd"), SmsFileBytes({RecordBytes(SmsRecordFields{})}));
  Start();
  ForEachUnusablePhone(folder_.Path(), [&](const QString& message) {
    script_.ExpectFileDialog("Select Save Path.", Path("x.qrd"));
    ExpectMessage(message);
    Click(0);
    script_.ExpectFileDialog("Select File Path.", Path("a.qrd"));
    ExpectMessage("Are you sure to restore sms from file:" + Path("a.qrd"));
    ExpectMessage(message);
    Click(1);
  });
  EXPECT_FALSE(QFile::exists(Path("x.qrd")));
}

TEST_F(SkeldraTest, TheFormBacksUpAndRestoresOnTheEmulatedPhone) {
  phone_.AddMessage(Inbox(),
                    SampleSms("hello", MakeDate(2010, 3, 7), "\"Ann\" <123>", {{"Bob", "555", 1}}));
  Start();
  script_.ExpectFileDialog("Select Save Path.", Path("round.qrd"));
  ExpectProgress();
  ExpectMessage("Backup Succeeded.");
  Click(0);
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  phone_.AddMessageStore("SMS");

  script_.ExpectFileDialog("Select File Path.", Path("round.qrd"));
  ExpectMessage("Are you sure to restore sms from file:" + Path("round.qrd"));
  ExpectProgress();
  ExpectMessage("Restore Succeeded.");
  Click(1);
  const std::vector<PhoneMessage> restored = phone_.Messages(Inbox());
  ASSERT_EQ(restored.size(), 1u);
  EXPECT_EQ(restored[0].subject, "hello");
  EXPECT_EQ(restored[0].senderEmailAddress, "\"Ann\" <123>");
  EXPECT_EQ(restored[0].recipients, (std::vector<PhoneRecipient>{{"Bob", "555", 1}}));

  WriteFileBytes(Path("round.qrd"), ReadFileBytes(Path("round.qrd")) + "!");
  script_.ExpectFileDialog("Select File Path.", Path("round.qrd"));
  ExpectMessage("Are you sure to restore sms from file:" + Path("round.qrd"));
  ExpectProgress();
  ExpectMessage("File Validation Failed.");
  frame_->OnCommand(ID_RESTORE_MESSAGES);
  WaitForScript();
}

TEST_F(SkeldraTest, OnlyALowerCaseTxtExtensionGivesTheListing) {
  phone_.AddMessage(Inbox(), SampleSms("hello", {}));
  Start();
  for (const char* name : {"list.txt", "file.TXT"}) {
    script_.ExpectFileDialog("Select Save Path.", Path(name));
    ExpectProgress();
    ExpectMessage("Backup Succeeded.");
    frame_->OnCommand(ID_BACKUP_MESSAGES);
  }
  EXPECT_TRUE(ReadFileBytes(Path("list.txt")).startsWith("Sender: \"Ann\" <+8613800000000>\r\n"));
  const QByteArray file = ReadFileBytes(Path("file.TXT"));
  EXPECT_EQ(file.mid(16, 4), UInt32Bytes(1));
  EXPECT_EQ(file.mid(20, 12), "IPM.SMStext\n");
}

TEST_F(SkeldraTest, TheJobsCheckTheirPathAndFoldersFirst) {
  Start();
  CSmsBackupJob blank(SmsBackupMode::kBackupFile, " \t", CSmsBackupJob::kAllFolders);
  ExpectMessage("Please Select Save Path.");
  StartSmsBackup(blank);
  CSmsBackupJob noFolder(SmsBackupMode::kBackupFile, Path("x.qrd"), {});
  ExpectMessage("Please Select Folder for Backup.");
  StartSmsBackup(noFolder);
  CSmsRestoreJob noFile("");
  ExpectMessage("Please Select File Path.");
  StartSmsRestore(noFile);
  EXPECT_FALSE(QFile::exists(Path("x.qrd")));
}

TEST_F(SkeldraTest, ExitCommandAndButtonCloseTheWindow) {
  Start();
  frame_->OnCommand(ID_SKELDRA_EXIT);
  EXPECT_FALSE(frame_->isVisible());
  frame_->show();
  Click(2);
  EXPECT_FALSE(frame_->isVisible());
}

TEST_F(SkeldraTest, MainWindowScreenshot) {
  Start();
  EXPECT_EQ(frame_->windowTitle(), kCaption);
  EXPECT_EQ(frame_->View()->GetDlgItemText(1014), "Skeldra ");
  EXPECT_EQ(frame_->View()->GetDlgItemText(1050), "Backup mobile phone SMS and transfer to pc");
  EXPECT_EQ(frame_->View()->GetDlgItemText(1032), "www.velthorn.example");
  SaveScreenshot(frame_.get(), "device_skeldra_240x320");
}

}  // namespace
