#include "desktop/ui/result_list.h"

#include <QContextMenuEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "platform/windows/menu.h"
#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

const QColor kCyan(0, 255, 255);

// Asks a list for its context menu at a point of its rows' area.
void RequestMenu(QTableView* list, QPoint point) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, point, list->viewport()->mapToGlobal(point));
  QApplication::sendEvent(list->viewport(), &event);
}

class ResultListTest : public BrowseTest {
 protected:
  void ShowList() {
    SearchPane()->OnContactList();
    ASSERT_NE(List(), nullptr);
  }
  QString Cell(int row, int column) const {
    return List()->Model()->index(row, column).data().toString();
  }
};

TEST_F(ResultListTest, NineColumnsWithTheIdHiddenAndFullRowSelection) {
  StartApp();
  ShowList();
  QTableView* list = List()->m_list;
  ASSERT_EQ(list->model()->columnCount(), 9);
  QStringList headings;
  for (int column = 0; column < 9; ++column) {
    headings << list->model()->headerData(column, Qt::Horizontal).toString();
  }
  EXPECT_EQ(headings, QStringList({"ID", "First Name", "Middle Name", "Last Name", "Mobile Phone",
                                   "Work Tel", "Home Tel", "E-Mail", "SIM_Name"}));
  std::vector<int> widths;
  for (int column = 1; column < 9; ++column) widths.push_back(list->columnWidth(column));
  EXPECT_EQ(widths, std::vector<int>({80, 90, 80, 120, 120, 120, 120, 120}));
  EXPECT_TRUE(list->isColumnHidden(0));
  EXPECT_TRUE(list->showGrid());
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->geometry(), List()->rect());
  EXPECT_FALSE(PageBar()->isEnabled());
}

TEST_F(ResultListTest, RowsFollowTypeThenFirstNameInAlternatingColours) {
  std::vector<qint64> ids =
      InsertContacts({SampleSimContact("Abe", "1"), SamplePhoneContact("Zoe", "Young", "555"),
                      SamplePhoneContact("Amy", "Adams")});
  StartApp();
  ShowList();
  ASSERT_EQ(List()->Model()->rowCount(), 3);
  EXPECT_EQ(Cell(0, 0), QString::number(ids[2]));
  EXPECT_EQ(Cell(0, 1), "Amy");
  EXPECT_EQ(Cell(0, 8), "Adams,Amy");
  EXPECT_EQ(Cell(1, 4), "555");
  EXPECT_EQ(Cell(2, 8), "Abe");
  EXPECT_EQ(Cell(2, 2), "");  // NULL columns are empty

  QTableView* list = List()->m_list;
  QImage drawn = list->viewport()->grab().toImage();
  for (int row = 0; row < 3; ++row) {
    QRect cell = list->visualRect(List()->Model()->index(row, 2));
    EXPECT_EQ(drawn.pixelColor(cell.left() + 3, cell.center().y()),
              row % 2 == 0 ? kCyan : Qt::white)
        << row;
    EXPECT_EQ(List()->Model()->index(row, 1).data(Qt::ForegroundRole).value<QColor>(), Qt::black);
  }
}

TEST_F(ResultListTest, ModifyAndDeleteAreGrayedWithoutASelectedRow) {
  InsertNumberedContacts(3);
  StartApp();
  ShowList();
  QTableView* list = List()->m_list;
  for (bool selected : {false, true}) {
    if (selected) list->selectRow(1);
    script_.ExpectMenu([selected](QMenu* menu) {
      EXPECT_EQ(FindCommand(menu, ID_LIST_ADD)->text(), "Add new record");
      EXPECT_TRUE(FindCommand(menu, ID_LIST_ADD)->isEnabled());
      EXPECT_EQ(FindCommand(menu, ID_LIST_MODIFY)->isEnabled(), selected);
      EXPECT_EQ(FindCommand(menu, ID_LIST_DELETE)->isEnabled(), selected);
      return 0;
    });
    RequestMenu(list, QPoint(10, 10));
  }
}

// A list that records its record commands.
class RecordingList : public CResultList {
 public:
  void OnAddRecord() override { commands << "add"; }
  void OnModifySelected(const QString& id, const QString& name) override {
    commands << "modify " + id + " " + name;
  }
  void OnDeleteSelected(const QString& id, const QString& name) override {
    commands << "delete " + id + " " + name;
  }
  QStringList commands;
};

TEST_F(ResultListTest, CommandsGetTheSelectedRowsIdAndSimName) {
  std::vector<qint64> ids =
      InsertContacts({SamplePhoneContact("Amy", "Adams"), SamplePhoneContact("Bob", "Brown")});
  StartApp();
  RecordingList list;
  list.OnInitialUpdate();
  list.resize(800, 300);
  list.show();
  QTableView* view = list.m_list;

  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 250));  // below the rows
  EXPECT_TRUE(list.commands.isEmpty());
  QPoint secondRow = view->visualRect(list.Model()->index(1, 3)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, secondRow);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, secondRow);
  for (int command : {ID_LIST_DELETE, ID_LIST_MODIFY, ID_LIST_ADD}) {
    script_.ExpectMenu([command](QMenu*) { return command; });
    RequestMenu(view, secondRow);
  }
  QString bob = QString::number(ids[1]);
  EXPECT_EQ(list.commands,
            QStringList({"modify " + bob + " Brown,Bob", "delete " + bob + " Brown,Bob",
                         "modify " + bob + " Brown,Bob", "add"}));
}

TEST_F(ResultListTest, ReloadsSoonAfterAChangeButNotWhileItsMenuIsOpen) {
  InsertContacts({SamplePhoneContact("Amy", "Adams"), SamplePhoneContact("Bob", "Brown"),
                  SamplePhoneContact("Cy", "Smith")});
  StartApp();
  ShowList();
  script_.ExpectMenu([this](QMenu*) {
    DatabaseConnection().Exec("delete from Contact_Table where First_Name = 'Bob'");
    App().m_bDataChanged = true;
    List()->OnTimer();
    EXPECT_EQ(List()->Model()->rowCount(), 3);  // the rows stay while the menu is open
    return 0;
  });
  List()->m_list->selectRow(1);
  RequestMenu(List()->m_list, QPoint(10, 10));
  EXPECT_TRUE(QTest::qWaitFor([this] { return !App().m_bDataChanged; }));
  EXPECT_EQ(List()->Model()->rowCount(), 2);

  // A keyword search: the last column still holds SIM_Name.
  SearchPane()->SetDlgItemText(CDlgForm::kKeywordEdit, "smith");
  SearchPane()->OnSearch();
  EXPECT_TRUE(QTest::qWaitFor([this] { return !App().m_bSearchChanged; }));
  ASSERT_EQ(List()->Model()->rowCount(), 1);
  EXPECT_EQ(Cell(0, 8), "Smith,Cy");
}

// The rows' columns are read while the list paints; a read that fails there is told once the
// painting is over, rather than leaving blank rows unexplained.
TEST_F(ResultListTest, RowsThatCannotBeReadAreReported) {
  InsertContactsWithOneDamaged(3, 1);
  script_.ExpectTips(kIconError, "Can't read database!");  // the card view's first page
  StartApp();
  ShowList();
  EXPECT_EQ(List()->Model()->rowCount(), 3);
  script_.ExpectTips(kIconError, "Can't read database!");
  EXPECT_TRUE(script_.WaitUntilDone());
}

TEST(ResultRowModelTest, RowsAreReadInBlocksInViewOrder) {
  TempWorkingFolder folder;
  InsertManyContacts(9000);
  ResultRowModel model;
  model.Load(ViewMode::kAll, "");
  ASSERT_EQ(model.rowCount(), 9000);
  // More blocks than are kept: the early ones are read again.
  for (int block = 0; block < 36; ++block) {
    int row = block * ResultRowModel::kBlockRows + block % 7;
    EXPECT_EQ(model.RowTexts(row)[1], QString("F%1").arg(row + 1, 5, 10, QChar('0')));
  }
  EXPECT_EQ(model.RowTexts(8999)[8], "S9000");
  EXPECT_EQ(model.RowTexts(0)[1], "F00001");
  model.Load(ViewMode::kSimContacts, "");
  EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
