#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "device/contacts/marrowind_commands.h"
#include "device/contacts/marrowind_program.h"
#include "device/frame/device_app.h"
#include "device/frame/device_view_color_labels.h"
#include "platform/device/shell/command_bar.h"
#include "tests/device/contacts/contacts_testing.h"
#include "tests/support/device_testing.h"

namespace {

class MarrowindTest : public ContactsTest {
 protected:
  void Start(const PhoneScreen& screen = PhoneScreen()) {
    screen_.emplace(screen);
    frame_ = InitDeviceInstance(MarrowindProgram());
    ASSERT_NE(frame_, nullptr);
  }
  ~MarrowindTest() override { frame_.reset(); }

  CMarrowindView* View() { return dynamic_cast<CMarrowindView*>(frame_->View()); }
  void ClickButton(int index) { QTest::mouseClick(View()->Button(index), Qt::LeftButton); }

  // The progress dialog, run until the job is done; keeps the bar's last position.
  void ExpectProgressDialog() {
    script_.ExpectDialog([this](QDialog* dialog) {
      int result = dialog->exec();
      lastBar_ = dialog->findChild<QProgressBar*>()->value();
      return result;
    });
  }
  void ExpectConfirmation(const QString& path, int answer) {
    script_.ExpectMessageBox("Are you sure to restore contacts from file:" + path, "Marrowind",
                             answer);
  }

  std::optional<ScopedPhoneScreen> screen_;
  std::unique_ptr<CMainFrame> frame_;
  int lastBar_ = -1;
};

TEST_F(MarrowindTest, ShowsItsFormSoftKeysAndMenu) {
  Start();
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(frame_->windowTitle(), "Marrowind");
  EXPECT_EQ(View()->GetDlgItemText(1018), "Marrowind");
  EXPECT_EQ(View()->GetDlgItemText(1020), "Backup Contacts");
  EXPECT_EQ(View()->GetDlgItemText(1021), "Backup all Contacts from\nSIM , Outlook and Mobile ");
  EXPECT_EQ(View()->GetDlgItemText(1023), "Restore Contacts");
  EXPECT_EQ(View()->GetDlgItemText(1024), "Restore Contacts to\nMobile from backup file");
  EXPECT_EQ(View()->GetDlgItemText(1026), "EXIT");
  EXPECT_EQ(frame_->CommandBar()->Key(0)->text(), "EXIT");
  EXPECT_EQ(frame_->CommandBar()->Key(1)->text(), "Menu");
  std::map<QString, int> commands;
  script_.ExpectMenu([&commands](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->menu() == nullptr) commands[action->text()] = action->data().toInt();
      for (QAction* item : action->menu() ? action->menu()->actions() : QList<QAction*>())
        commands[action->text() + " > " + item->text()] = item->data().toInt();
    }
    return 0;
  });
  frame_->CommandBar()->Key(1)->click();
  EXPECT_EQ(commands, (std::map<QString, int>{{"&Backup Contacts", 32777},
                                              {"&Restore Contacts", 32776},
                                              {"Website > HomePage", 32773},
                                              {"Website > Online Guide", 32774},
                                              {"About ", 57664}}));
  EXPECT_TRUE(QFileInfo::exists(SaveScreenshot(frame_.get(), "device_marrowind_main_240x320")));
}

TEST_F(MarrowindTest, BackupOffersTheTimedNameAndDoesNothingWhenCancelled) {
  EXPECT_EQ(DefaultBackupFileName(QDateTime(QDate(2011, 3, 5), QTime(7, 42))),
            "VBX_20110305_0742.vbx");
  Start();
  script_.ExpectFileDialog("Select Save Path.", std::nullopt);
  const QString before = DefaultBackupFileName(QDateTime::currentDateTime());
  frame_->OnCommand(ID_BACKUP_CONTACTS);
  const QString after = DefaultBackupFileName(QDateTime::currentDateTime());
  const FileDialogRequest& request = script_.LastFileDialog();
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.filter, "Marrowind File(*.vbx)|*.vbx|Text File(*.txt)|*.txt|");
  EXPECT_EQ(request.defaultExtension, "vbx");
  EXPECT_EQ(request.flags, 6u);
  EXPECT_TRUE(request.fileName == before || request.fileName == after)
      << request.fileName.toStdString();
}

TEST_F(MarrowindTest, TheBackupButtonWritesABackupFileEvenForAnUpperCaseTxt) {
  phone_.AddSimEntry(1, "Bob", "456");
  Start();
  script_.ExpectFileDialog("Select Save Path.", Path("contacts.TXT"));
  ExpectProgressDialog();
  ExpectMessage("Backup succeed.");
  ClickButton(0);
  EXPECT_EQ(lastBar_, 100);
  ContactsBackupReader reader(kPhoneDialect);
  EXPECT_EQ(reader.Open(Path("contacts.TXT")), ContactsBackupReader::OpenResult::kOk);
}

TEST_F(MarrowindTest, TheBackupCommandWritesTheListingForATxtName) {
  phone_.AddSimEntry(1, "Bob", "456");
  Start();
  script_.ExpectFileDialog("Select Save Path.", Path("contacts.txt"));
  ExpectProgressDialog();
  ExpectMessage("Backup succeed.");
  frame_->OnCommand(ID_BACKUP_CONTACTS);
  EXPECT_EQ(ReadFileBytes(Path("contacts.txt")),
            "SIM_Name:Bob\r\nSIM_Mobile tel:456\r\n" + QByteArray(44, '-') + "\r\n");
}

TEST_F(MarrowindTest, RestoreAsksForAFileAndConfirmationThenRestores) {
  WriteFileBytes(Path("a.vbx"), BackupFileBuilder().AddSim("Bob", "456").Bytes());
  Start();
  script_.ExpectFileDialog("Select Restore File.", Path("a.vbx"));
  ExpectConfirmation(Path("a.vbx"), IDCANCEL);
  frame_->OnCommand(ID_RESTORE_CONTACTS);
  const FileDialogRequest& request = script_.LastFileDialog();
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.filter, "Marrowind File(*.vbx)|*.vbx|");
  EXPECT_EQ(request.defaultExtension, "vbx");
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.flags, 6u);
  EXPECT_TRUE(phone_.SimEntries().empty());

  script_.ExpectFileDialog("Select Restore File.", Path("a.vbx"));
  ExpectConfirmation(Path("a.vbx"), IDOK);
  ExpectProgressDialog();
  ExpectMessage("Restore succeed.");
  ClickButton(1);
  EXPECT_EQ(phone_.SimEntries().size(), 1u);
}

TEST_F(MarrowindTest, WithoutSimAccessNeitherJobRunsNorSaysAnything) {
  WriteFileBytes(Path("a.vbx"), BackupFileBuilder().AddPhone({{1, "Ann"}}).Bytes());
  phone_.SetSimPresent(false);
  Start();
  script_.ExpectFileDialog("Select Save Path.", Path("b.vbx"));
  frame_->OnCommand(ID_BACKUP_CONTACTS);
  EXPECT_FALSE(QFileInfo::exists(Path("b.vbx")));
  script_.ExpectFileDialog("Select Restore File.", Path("a.vbx"));
  ExpectConfirmation(Path("a.vbx"), IDOK);
  frame_->OnCommand(ID_RESTORE_CONTACTS);
  EXPECT_TRUE(phone_.Contacts().empty());
}

TEST_F(MarrowindTest, BothCommandsSayWhyThePhonesDatabaseCannotBeUsed) {
  WriteFileBytes(Path("a.vbx"), BackupFileBuilder().AddSim("Bob", "456").Bytes());
  Start();
  ForEachUnusablePhone(folder_.Path(), [&](const QString& message) {
    script_.ExpectFileDialog("Select Save Path.", Path("b.vbx"));
    ExpectMessage(message);
    frame_->OnCommand(ID_BACKUP_CONTACTS);
    script_.ExpectFileDialog("Select Restore File.", Path("a.vbx"));
    ExpectConfirmation(Path("a.vbx"), IDOK);
    ExpectMessage(message);
    frame_->OnCommand(ID_RESTORE_CONTACTS);
  });
  EXPECT_FALSE(QFileInfo::exists(Path("b.vbx")));
}

TEST_F(MarrowindTest, AnEmptyFileNameShowsTheJobsText) {
  Start();
  script_.ExpectFileDialog("Select Save Path.", "");
  ExpectMessage("Please input the save file's name!");
  frame_->OnCommand(ID_BACKUP_CONTACTS);
  script_.ExpectFileDialog("Select Restore File.", "");
  ExpectConfirmation("", IDOK);
  ExpectMessage("Please select the restore file!");
  frame_->OnCommand(ID_RESTORE_CONTACTS);
}

}  // namespace
