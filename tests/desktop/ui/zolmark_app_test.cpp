#include "desktop/ui/zolmark_app.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/ui/card_view.h"

#include "desktop/ui/exchange/export_config_dialog.h"
#include "desktop/ui/main_frame.h"
#include "desktop/ui/search_pane.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

namespace {

class ZolmarkAppTest : public ::testing::Test {
 protected:
  TempWorkingFolder folder_;
  ScriptedServices script_;
};

TEST_F(ZolmarkAppTest, HelpPrintsTheUsageAndTouchesNoFile) {
  for (const char* option : {"--help", "-h"}) {
    char name[] = "bin/Brevantor";
    std::string help = option;
    char* argv[] = {name, help.data(), nullptr};
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunBrevantor(2, argv), 0);
    const QString usage = QString::fromStdString(testing::internal::GetCapturedStdout());
    EXPECT_TRUE(usage.startsWith("Usage: Brevantor [--help]\n")) << usage.toStdString();
    const QString start = "cd ~/Brevantor && " + QDir::current().filePath(name);
    for (const QString& said :
         QStringList{"\"Contact.cdt\"", "Working folder", start, "scripts/run"}) {
      EXPECT_TRUE(usage.contains(said)) << said.toStdString();
    }
    EXPECT_TRUE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
  }
}

TEST_F(ZolmarkAppTest, FirstStartCreatesDatabaseAndConfigAndShowsTheFrame) {
  CZOLMARKApp& app = AfxGetApp();
  app.m_viewMode = ViewMode::kSimContacts;
  app.m_strKeyword = "old";
  ASSERT_TRUE(app.InitInstance());
  EXPECT_TRUE(QFile::exists("Contact.cdt"));
  EXPECT_TRUE(QDir("Config").exists());
  // The bootstrap counts one page; the card view's first load finds no rows and makes it 0.
  EXPECT_EQ(app.m_nPageCount, 0);
  EXPECT_EQ(app.m_nCurPage, 0);
  EXPECT_EQ(app.m_nPageSize, 30);
  EXPECT_EQ(app.m_viewMode, ViewMode::kAll);
  EXPECT_TRUE(app.m_strKeyword.isEmpty());
  EXPECT_EQ(app.m_brushBack.color(), QColor(200, 222, 243));
  ASSERT_NE(app.MainFrame(), nullptr);
  EXPECT_TRUE(app.MainFrame()->isVisible());
  EXPECT_TRUE(app.MainFrame()->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(app.MainFrame()->windowTitle(), "Brevantor");

  // A second start finds everything in place.
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(app.m_nPageCount, 0);
}

// The platform appends the application's display name, when one is set, to every window title
// but its own. None is set: the display name only follows the application name.
TEST_F(ZolmarkAppTest, WindowTitlesAreTheCaptionsAlone) {
  QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName("Renamed");
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Renamed");
  QCoreApplication::setApplicationName(name);
}

TEST_F(ZolmarkAppTest, TheFrameRestoresToMostOfTheScreenCentred) {
  ASSERT_TRUE(AfxGetApp().InitInstance());
  CMainFrame* frame = AfxGetApp().MainFrame();
  QRect screen = frame->screen()->availableGeometry();
  QRect normal = frame->normalGeometry();
  EXPECT_TRUE(screen.contains(normal));
  EXPECT_GE(normal.width(), screen.width() * 3 / 4);
  EXPECT_GE(normal.height(), screen.height() * 3 / 4);
  EXPECT_LE((normal.center() - screen.center()).manhattanLength(), 2);
}

TEST_F(ZolmarkAppTest, PageCountComesFromTheStoredRows) {
  InsertNumberedContacts(31);
  ASSERT_TRUE(AfxGetApp().InitInstance());
  EXPECT_EQ(AfxGetApp().m_nPageCount, 2);
}

// A Contact.cdt that cannot serve the program is said so once, by the card view's first load,
// instead of an empty view that looks like a database without contacts; the file stays as it
// was.
TEST_F(ZolmarkAppTest, StartingOnADatabaseThatCannotServeSaysSoOnce) {
  struct Start {
    const char* what;
    std::function<void()> make;
    const char* message;
  };
  const Start starts[] = {
      {"a text file", [] { WriteFileBytes("Contact.cdt", "First Name,Mobile\r\nAnn,1\r\n"); },
       "Can't open database!"},
      {"another database",
       [] {
         DatabaseConnection db(kContactDatabaseFile, DatabaseConnection::Opening::kAnyFile);
         ASSERT_EQ(db.Exec("create table Contact_Table(x)"), SQLITE_OK);
       },
       "Can't open database!"},
      {"a damaged record", [] { InsertContactsWithOneDamaged(3, 1); }, "Can't read database!"},
  };
  for (const Start& start : starts) {
    SCOPED_TRACE(start.what);
    QFile::remove("Contact.cdt");
    start.make();
    QByteArray bytes = ReadFileBytes("Contact.cdt");
    script_.ExpectTips(kIconError, start.message);
    ASSERT_TRUE(AfxGetApp().InitInstance());
    dynamic_cast<CResultForm*>(AfxGetApp().MainFrame()->ResultView())->OnTimer();  // no reload
    EXPECT_TRUE(script_.Done());
    EXPECT_TRUE(ReadFileBytes("Contact.cdt") == bytes) << "the file was written";
  }
}

TEST_F(ZolmarkAppTest, StartingOnALockedDatabaseSaysSo) {
  InsertNumberedContacts(1);
  DatabaseConnection holder;
  ASSERT_EQ(holder.Exec("begin exclusive"), SQLITE_OK);
  script_.ExpectTips(kIconError, "Database is locked!");
  ASSERT_TRUE(AfxGetApp().InitInstance());
}

// After the start, every operation that reads the database says that it cannot, rather than
// showing an empty result; none writes to the file.
TEST_F(ZolmarkAppTest, LaterOperationsOnAFileThatIsNotADatabaseSaySo) {
  const QByteArray text = "First Name,Mobile\r\nAnn,1\r\n";
  WriteFileBytes("Contact.cdt", text);
  const QString cannotOpen = "Can't open database!";
  script_.ExpectTips(kIconError, cannotOpen);
  ASSERT_TRUE(AfxGetApp().InitInstance());
  CMainFrame* frame = AfxGetApp().MainFrame();
  auto* pane = dynamic_cast<CDlgForm*>(frame->SearchPane());
  pane->Item<QLineEdit>(CDlgForm::kKeywordEdit)->setText("Ann");
  for (void (CDlgForm::*command)() : {&CDlgForm::OnSearch, &CDlgForm::OnShowSim,
                                      &CDlgForm::OnContactList, &CDlgForm::OnContactView}) {
    script_.ExpectTips(kIconError, cannotOpen);
    (pane->*command)();
    EXPECT_TRUE(script_.Done());
  }
  script_.ExpectTips(kIconError, cannotOpen);
  frame->OnCommand(ID_EXPORT_CBK_TXT);  // before its file dialog
  script_
      .ExpectDialog([](QDialog* shown) {
        auto* dialog = static_cast<CExportConfigDialog*>(shown);
        dialog->SetDlgItemText(CExportConfigDialog::kPathEdit, "out.csv");
        dialog->Item<QPushButton>(CExportConfigDialog::kExportButton)->click();
        return IDCANCEL;
      })
      .ExpectMessageBox(cannotOpen, "Export csv Error", IDOK);
  frame->OnCommand(ID_EXPORT_CSV);
  EXPECT_EQ(ReadFileBytes("Contact.cdt"), text);
  EXPECT_FALSE(QFile::exists("out.csv"));
}

TEST_F(ZolmarkAppTest, AboutBoxNamesTheProgramAndVersion) {
  script_.ExpectDialog([](QDialog* about) {
    EXPECT_EQ(about->windowTitle(), "About Brevantor");
    bool found = false;
    for (QLabel* label : about->findChildren<QLabel*>()) {
      found |= label->text() == "Brevantor\nVersion 2.1";
    }
    EXPECT_TRUE(found);
    return IDOK;
  });
  AfxGetApp().OnAppAbout();
}

}  // namespace
