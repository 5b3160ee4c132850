#include "desktop/ui/main_frame.h"

#include <QDateTime>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include "desktop/exchange/export_file_name.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/ui/zolmark_app.h"
#include "platform/windows/user_message.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxGetApp().InitInstance());
    frame_ = AfxGetApp().MainFrame();
  }

  void ResizeTo(int width, int height) {
    frame_->showNormal();
    frame_->resize(width, height);
  }

  TempWorkingFolder folder_;
  ScriptedServices script_;
  CMainFrame* frame_ = nullptr;
};

TEST_F(MainFrameTest, PanesKeepTheirFixedSizesAfterResizes) {
  for (QSize size : {QSize(1000, 700), QSize(640, 480), QSize(1280, 900)}) {
    ResizeTo(size.width(), size.height());
    QRect search = frame_->SearchPane()->geometry();
    QRect result = frame_->ResultView()->geometry();
    QRect pageBar = frame_->PageBar()->geometry();
    int columnHeight = frame_->InnerSplitter()->height();
    EXPECT_EQ(search.width(), 150);
    EXPECT_EQ(frame_->InnerSplitter()->x(), 151);  // one pixel between the columns
    EXPECT_EQ(result.height(), columnHeight - 50);
    EXPECT_EQ(pageBar.top(), result.bottom() + 1 + 6);  // six pixels between the rows
    EXPECT_EQ(pageBar.bottom(), columnHeight - 1);
    EXPECT_EQ(result.width(), frame_->InnerSplitter()->width());
  }
}

TEST_F(MainFrameTest, SplitterBarsCannotBeDragged) {
  ResizeTo(900, 600);
  CMySplitterWnd* outer = frame_->OuterSplitter();
  QPoint bar(150, 100);
  QTest::mousePress(outer, Qt::LeftButton, {}, bar);
  QTest::mouseMove(outer, QPoint(400, 100));
  QTest::mouseRelease(outer, Qt::LeftButton, {}, QPoint(400, 100));
  EXPECT_EQ(frame_->SearchPane()->width(), 150);
  EXPECT_EQ(outer->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFrameTest, ViewSwapKeepsExactlyOneResultView) {
  QPointer<QWidget> cards = frame_->ResultView();
  EXPECT_EQ(SendMessage(frame_, CMainFrame::kShowList), 0);
  EXPECT_TRUE(cards.isNull());  // the card view is gone
  EXPECT_NE(frame_->ResultView(), nullptr);
  EXPECT_FALSE(frame_->PageBar()->isEnabled());
  // The inner splitter holds the result view and the page bar, nothing else.
  EXPECT_EQ(frame_->InnerSplitter()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 2);

  SendMessage(frame_, CMainFrame::kShowCards);
  EXPECT_TRUE(frame_->PageBar()->isEnabled());
  EXPECT_EQ(frame_->InnerSplitter()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 2);
}

TEST_F(MainFrameTest, MainMenuTextsAndCommands) {
  QList<QAction*> top = frame_->menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  EXPECT_EQ(top[0]->text(), "Transfer Tool");
  EXPECT_EQ(top[1]->text(), "&About");
  QList<QAction*> transfer = top[0]->menu()->actions();
  ASSERT_EQ(transfer.size(), 4);
  EXPECT_EQ(transfer[0]->text(), "Import");
  EXPECT_EQ(transfer[0]->data().toInt(), ID_FILE_IMPORT);
  EXPECT_EQ(transfer[1]->text(), "Export");
  QList<QAction*> exports = transfer[1]->menu()->actions();
  ASSERT_EQ(exports.size(), 3);
  EXPECT_EQ(exports[0]->text(), "Export cbk/txt File");
  EXPECT_EQ(exports[0]->data().toInt(), ID_EXPORT_CBK_TXT);
  EXPECT_EQ(exports[1]->text(), "Export CSV File");
  EXPECT_EQ(exports[1]->data().toInt(), ID_EXPORT_CSV);
  EXPECT_EQ(exports[2]->text(), "Export vCard File");
  EXPECT_EQ(exports[2]->data().toInt(), ID_EXPORT_VCARD);
  EXPECT_TRUE(transfer[2]->isSeparator());
  EXPECT_EQ(transfer[3]->text(), "E&xit");
  EXPECT_EQ(top[1]->menu()->actions()[0]->text(), "&About  Brevantor");
}

// Imports take their extension in any case; the export's "txt" is case-sensitive.
TEST(ImportExportRoutes, ImportExtensionsInAnyCaseExportTxtOnlyInLowerCase) {
  const std::pair<const char*, ImportRoute> kRoutes[] = {
      {"/home/u/a.cbk", ImportRoute::kContactsBackup},
      {"/home/u/BACKUP.CBK", ImportRoute::kContactsBackup},
      {"/home/u/VBX_20240305_0907.vbx", ImportRoute::kContactsBackup},
      {"/home/u/phone.Vbx", ImportRoute::kContactsBackup},
      {"/home/u/list.csv", ImportRoute::kCsv},
      {"/home/u/a.Csv", ImportRoute::kCsv},
      {"/home/u/cards.vcf", ImportRoute::kVCard},
      {"/home/u/list.VCF", ImportRoute::kVCard},
      {"/home/u/noextension", ImportRoute::kNone},
      {"/home/u/a.cbk.txt", ImportRoute::kNone},
  };
  for (const auto& [path, route] : kRoutes) EXPECT_EQ(RouteImport(path), route) << path;

  EXPECT_TRUE(ExportsTextListing("/tmp/out.txt"));
  EXPECT_FALSE(ExportsTextListing("/tmp/out.TXT"));
  EXPECT_FALSE(ExportsTextListing("/tmp/out.cbk"));
  EXPECT_FALSE(ExportsTextListing("/tmp/out.dat"));
}

TEST(ImportExportRoutes, DefaultExportNameHasNoLeadingZeros) {
  QDateTime time(QDate(2011, 12, 5), QTime(9, 3));
  EXPECT_EQ(DefaultExportName(time), "Contact_2011125_93");
}

TEST_F(MainFrameTest, CancelledDialogsChangeNothing) {
  frame_->m_strImportPath = "kept-import";
  frame_->m_strExportPath = "kept-export";
  script_.ExpectFileDialog("Open the import file(*.cbk,*.csv or *.vcf)", std::nullopt);
  frame_->OnCommand(ID_FILE_IMPORT);
  EXPECT_EQ(frame_->m_strImportPath, "kept-import");
  const FileDialogRequest& request = script_.LastFileDialog();
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.filter,
            "Contacts files (*.cbk *.vbx)|*.cbk;*.vbx|CSV files (*.csv)|*.csv|"
            "vCard files (*.vcf)|*.vcf|");
  EXPECT_EQ(request.flags, 0x0Eu);

  InsertNumberedContacts(1);
  script_.ExpectFileDialog("Save the contacts as a file(*.vbx or *.txt)", std::nullopt);
  frame_->OnCommand(ID_EXPORT_CBK_TXT);
  EXPECT_EQ(frame_->m_strExportPath, "kept-export");
  EXPECT_TRUE(script_.LastFileDialog().save);
  EXPECT_TRUE(script_.LastFileDialog().fileName.startsWith("Contact_"));
  EXPECT_EQ(script_.LastFileDialog().filter,
            "Contacts files (*.cbk)|*.cbk|txt files (*.txt)|*.txt|");
}

TEST_F(MainFrameTest, ExportOfAnEmptyDatabaseStopsAfterTheBox) {
  script_.ExpectTips(172, "No contact records!", IDCANCEL);
  frame_->OnCommand(ID_EXPORT_CBK_TXT);
  EXPECT_TRUE(script_.Done());

  // Enter closes the box with IDOK: the command goes on to the save dialog.
  script_.ExpectTips(172, "No contact records!", IDOK)
      .ExpectFileDialog("Save the contacts as a file(*.vbx or *.txt)", std::nullopt);
  frame_->OnCommand(ID_EXPORT_CBK_TXT);
}

}  // namespace
