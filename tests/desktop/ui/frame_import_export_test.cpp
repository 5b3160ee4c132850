// The main frame's Import and "Export cbk/txt File" commands reach the contacts backup import,
// its export and the text export, with their progress bar.
#include <QFile>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/ui/exchange/export_config_dialog.h"
#include "desktop/ui/frame_progress_bar.h"
#include "desktop/ui/main_frame.h"
#include "desktop/ui/zolmark_app.h"
#include "tests/support/backup_file_builder.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

namespace {

constexpr char kImportTitle[] = "Open the import file(*.cbk,*.csv or *.vcf)";
constexpr char kExportTitle[] = "Save the contacts as a file(*.vbx or *.txt)";
constexpr char kVCardSummary[] =
    "Import vCard file finish! %d Record is Successed and %d Record is Failded!";

class FrameImportExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxGetApp().InitInstance());
    frame_ = AfxGetApp().MainFrame();
    AfxGetApp().m_bDataChanged = false;
  }

  TempWorkingFolder folder_;
  ScriptedServices script_;
  CMainFrame* frame_ = nullptr;
};

TEST_F(FrameImportExportTest, ImportOfABackupFileStoresItsContactsAndRaisesTheFlag) {
  WriteFileBytes("phone.cbk", BackupFileBuilder().AddSim("Ann", "123").Bytes());
  script_.ExpectFileDialog(kImportTitle, folder_.FilePath("phone.cbk"))
      .ExpectTips(kIconSuccess, "Import contacts complete!");
  frame_->OnCommand(ID_FILE_IMPORT);
  EXPECT_EQ(frame_->m_strImportPath, folder_.FilePath("phone.cbk"));
  EXPECT_EQ(CountContactRows("SIM_Name = 'Ann'"), 1);
  EXPECT_TRUE(AfxGetApp().m_bDataChanged);
  // The bar is gone.
  EXPECT_EQ(frame_->findChild<QProgressBar*>(QString(), Qt::FindDirectChildrenOnly), nullptr);
}

TEST_F(FrameImportExportTest, FailedImportLeavesTheFlagDown) {
  WriteFileBytes("broken.cbk", "not a backup file");
  script_.ExpectFileDialog(kImportTitle, folder_.FilePath("broken.cbk"))
      .ExpectTips(kIconError, "Import file error!");
  frame_->OnCommand(ID_FILE_IMPORT);
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
}

// The phone's own backup file imports under its name, in any case; a file of any other kind
// is said to be one.
TEST_F(FrameImportExportTest, PhoneBackupsImportInAnyCaseAndOtherFilesAreNamedUnknown) {
  WriteFileBytes("VBX_20240305_0907.vbx", BackupFileBuilder().AddSim("Ann", "1").Bytes());
  WriteFileBytes("BACKUP.CBK", BackupFileBuilder().AddSim("Bob", "2").Bytes());
  WriteFileBytes("notes.txt", "Ann,1\r\n");
  script_.ExpectFileDialog(kImportTitle, folder_.FilePath("VBX_20240305_0907.vbx"))
      .ExpectTips(kIconSuccess, "Import contacts complete!")
      .ExpectFileDialog(kImportTitle, folder_.FilePath("BACKUP.CBK"))
      .ExpectTips(kIconSuccess, "Import contacts complete!")
      .ExpectFileDialog(kImportTitle, folder_.FilePath("notes.txt"))
      .ExpectTips(kIconError,
                  "Unknown import file type! Please choose a *.cbk, *.vbx, *.csv or *.vcf file.");
  for (int i = 0; i < 3; ++i) frame_->OnCommand(ID_FILE_IMPORT);
  EXPECT_EQ(CountContactRows(), 2);
}

TEST_F(FrameImportExportTest, ExportGoesToTheTextListingOnlyForTxt) {
  InsertContacts({SampleSimContact("Ann", "123")});
  for (const char* name : {"out.txt", "out.TXT", "out.cbk", "out.dat"}) {
    script_.ExpectFileDialog(kExportTitle, folder_.FilePath(name))
        .ExpectTips(kIconSuccess, "Contacts exported complete!");
    frame_->OnCommand(ID_EXPORT_CBK_TXT);
    QByteArray written = ReadFileBytes(name);
    bool isText = written.startsWith("SIM_Name:Ann\r\n");
    EXPECT_EQ(isText, QString(name) == "out.txt") << name;
    EXPECT_EQ(frame_->m_strExportPath, folder_.FilePath(name));
  }
}

// The database file as an export's target, by its name or through a link, is refused by every
// export and stays as it was.
TEST_F(FrameImportExportTest, ExportsRefuseTheDatabaseAsTheirTarget) {
  InsertContacts({SampleSimContact("Ann", "123")});
  QByteArray database = ReadFileBytes("Contact.cdt");
  ASSERT_TRUE(QFile::link("Contact.cdt", "link.txt"));
  const QString refusal = "Can't export to Contact.cdt, the contact database!";
  for (const char* target : {"Contact.cdt", "link.txt"}) {
    script_.ExpectFileDialog(kExportTitle, folder_.FilePath(target))
        .ExpectTips(kIconError, refusal);
    frame_->OnCommand(ID_EXPORT_CBK_TXT);
  }
  EXPECT_TRUE(frame_->m_strExportPath.isEmpty());
  for (int command : {ID_EXPORT_CSV, ID_EXPORT_VCARD}) {
    script_
        .ExpectDialog([](QDialog* shown) {
          auto* dialog = static_cast<CExportConfigDialog*>(shown);
          dialog->SetDlgItemText(CExportConfigDialog::kPathEdit, "./Contact.cdt");
          dialog->Item<QPushButton>(CExportConfigDialog::kExportButton)->click();
          EXPECT_EQ(dialog->result(), 0);  // still open for another target
          return IDCANCEL;
        })
        .ExpectTips(kIconError, refusal);
    frame_->OnCommand(command);
  }
  EXPECT_EQ(ReadFileBytes("Contact.cdt"), database);
}

TEST_F(FrameImportExportTest, CsvAndVCardRoutesReachTheirWork) {
  WriteFileBytes("list.csv", "First Name,Last Name\r\nAnn,Lee\r\n");
  WriteFileBytes("cards.vcf",
                 "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bo Lee\r\nN:Lee;Bo;;;\r\nEND:VCARD\r\n");
  script_.ExpectFileDialog(kImportTitle, folder_.FilePath("list.csv"))
      .ExpectDialog([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "CSV File Import Config");
        return IDCANCEL;
      });
  frame_->OnCommand(ID_FILE_IMPORT);

  script_.ExpectFileDialog(kImportTitle, folder_.FilePath("cards.vcf"))
      .ExpectMessageBox(QString::asprintf(kVCardSummary, 1, 0), "Import vCard File Result", IDOK);
  frame_->OnCommand(ID_FILE_IMPORT);
  EXPECT_EQ(CountContactRows("SIM_Name = 'Lee,Bo'"), 1);
  EXPECT_TRUE(AfxGetApp().m_bDataChanged);

  for (auto [command, title] : {std::pair(ID_EXPORT_CSV, "CSV File Export Config"),
                                std::pair(ID_EXPORT_VCARD, "vCard File Export Config")}) {
    script_.ExpectDialog([title = QString(title)](QDialog* dialog) {
      EXPECT_EQ(dialog->windowTitle(), title);
      return IDCANCEL;
    });
    frame_->OnCommand(command);
  }
}

TEST(FrameProgressBar, SitsAtTheBottomLeftOfTheClientAreaWhileTheWorkRuns) {
  TempWorkingFolder folder;  // the frame's views open the database of the working folder
  CMainFrame frame;
  frame.resize(800, 600);
  frame.show();
  {
    FrameProgressBar bar(&frame);
    bar.Begin(100000);
    ASSERT_NE(bar.Bar(), nullptr);
    EXPECT_EQ(bar.Bar()->objectName(), "1165");
    EXPECT_EQ(bar.Bar()->maximum(), 100000);  // no 16-bit limit
    QRect client = frame.centralWidget()->geometry();
    EXPECT_EQ(bar.Bar()->geometry(), QRect(client.left(), client.bottom() + 1 - 20, 150, 20));
    bar.SetPosition(70000);
    EXPECT_EQ(bar.Bar()->value(), 70000);
  }
  EXPECT_EQ(frame.findChild<QProgressBar*>(QString(), Qt::FindDirectChildrenOnly), nullptr);
}

}  // namespace
