#include "desktop/ui/zolmark_app.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

#include "desktop/ui/main_frame.h"
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
  app.m_nViewMode = 2;
  app.m_strKeyword = "old";
  ASSERT_TRUE(app.InitInstance());
  EXPECT_TRUE(QFile::exists("Contact.cdt"));
  EXPECT_TRUE(QDir("Config").exists());
  // The bootstrap counts one page; the card view's first load finds no rows and makes it 0.
  EXPECT_EQ(app.m_nPageCount, 0);
  EXPECT_EQ(app.m_nCurPage, 0);
  EXPECT_EQ(app.m_nPageSize, 30);
  EXPECT_EQ(app.m_nViewMode, 0);
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
