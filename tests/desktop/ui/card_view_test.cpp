#include "desktop/ui/card_view.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/ui/add_dialog.h"
#include "desktop/ui/modify_dialog.h"
#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

class CardViewTest : public BrowseTest {
 protected:
  std::vector<QPoint> CardPositions() const {
    std::vector<QPoint> positions;
    for (CDlgResult* card : Cards()->ShownCards()) positions.push_back(card->pos());
    return positions;
  }
  QString FirstCardName() const { return Cards()->ShownCards().front()->m_edName->text(); }
};

TEST_F(CardViewTest, ThirtyOneRecordsGiveTwoPagesAndTheCommandsStopAtTheEnds) {
  InsertNumberedContacts(31);
  StartApp();
  EXPECT_EQ(App().m_nPageCount, 2);
  EXPECT_EQ(Cards()->m_nCardCount, 31);
  EXPECT_EQ(Cards()->ShownCards().size(), 30u);
  EXPECT_EQ(PageBar()->m_strPageCount, "2");
  ASSERT_EQ(PageBar()->m_cbPage->count(), 2);
  EXPECT_EQ(PageBar()->m_cbPage->itemText(1), "2");

  PageBar()->OnPrevPage();  // "go back" on the first page
  PageBar()->OnFirstPage();
  EXPECT_FALSE(App().m_bPageChanged);

  PageBar()->OnNextPage();
  EXPECT_EQ(App().m_nCurPage, 1);
  EXPECT_EQ(PageBar()->m_cbPage->currentIndex(), 1);
  PollCards();
  EXPECT_FALSE(App().m_bPageChanged);
  ASSERT_EQ(Cards()->ShownCards().size(), 1u);
  EXPECT_EQ(Cards()->ShownCards()[0]->geometry(), QRect(20, 20, 200, 260));
  EXPECT_EQ(FirstCardName(), "First9  Last9");  // "First10" .. "First19" sort before "First2"

  PageBar()->OnNextPage();  // "go front" on the last page
  PageBar()->OnLastPage();
  EXPECT_FALSE(App().m_bPageChanged);
  EXPECT_EQ(App().m_nCurPage, 1);

  PageBar()->OnFirstPage();
  PollCards();
  EXPECT_EQ(Cards()->ShownCards().size(), 30u);
  // Only the cards of one page are ever built.
  EXPECT_EQ(Cards()->findChildren<CDlgResult*>().size(), 30);
}

TEST_F(CardViewTest, ChoosingFromTheTwelvePageListShowsThatPage) {
  InsertManyContacts(12 * 30 - 5);
  StartApp();
  ASSERT_EQ(PageBar()->m_cbPage->count(), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(PageBar()->m_cbPage->itemText(i), QString::number(i + 1));

  PageBar()->m_cbPage->setCurrentIndex(9);
  PageBar()->OnPageSelChange();
  EXPECT_EQ(App().m_nCurPage, 9);
  PollCards();
  EXPECT_EQ(FirstCardName(), "F00271  ");
  EXPECT_EQ(Cards()->ShownCards().size(), 30u);

  PageBar()->OnLastPage();
  PollCards();
  EXPECT_EQ(App().m_nCurPage, 11);
  EXPECT_EQ(Cards()->ShownCards().size(), 25u);
}

// A search starts at page 1. When it finds as many pages as were shown, the page count stays as
// it was, and the list must still move to the page on screen.
TEST_F(CardViewTest, APageListShowsThePageOnScreenAfterASearchFromTheLastPage) {
  InsertManyContacts(75);
  StartApp();
  PageBar()->OnLastPage();
  PollCards();
  ASSERT_EQ(PageBar()->m_cbPage->currentText(), "3");

  SearchPane()->Item<QLineEdit>(CDlgForm::kKeywordEdit)->setText("F000");
  SearchPane()->OnSearch();
  PollCards();
  EXPECT_EQ(FirstCardName(), "F00001  ");
  EXPECT_EQ(PageBar()->m_cbPage->currentText(), "1");
  EXPECT_EQ(PageBar()->m_strPageCount, "3");

  PageBar()->OnNextPage();
  PollCards();
  EXPECT_EQ(FirstCardName(), "F00031  ");
  PageBar()->OnPrevPage();  // "go back"
  PollCards();
  EXPECT_EQ(FirstCardName(), "F00001  ");
  EXPECT_EQ(PageBar()->m_cbPage->currentText(), "1");
}

TEST_F(CardViewTest, RowsWrapWhenTheNextCardWouldNotFit) {
  InsertNumberedContacts(4);
  StartApp();
  SetCardAreaWidth(640);
  EXPECT_EQ(CardPositions(), std::vector<QPoint>({{20, 20}, {230, 20}, {440, 20}, {20, 290}}));
  SetCardAreaWidth(639);
  EXPECT_EQ(CardPositions(), std::vector<QPoint>({{20, 20}, {230, 20}, {20, 290}, {230, 290}}));
}

TEST_F(CardViewTest, WheelScrollsByNotchesAndAResizeScrollsBack) {
  InsertNumberedContacts(30);
  StartApp();
  SetCardAreaWidth(640);  // ten rows of three
  QScrollBar* bar = Cards()->VerticalScrollBar();
  EXPECT_EQ(bar->maximum(), 20 + 11 * 270 - Cards()->height());

  QPointF middle(100, 100);
  QWheelEvent notchDown(middle, Cards()->mapToGlobal(middle), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Cards(), &notchDown);
  EXPECT_EQ(bar->value(), 120);
  EXPECT_EQ(CardPositions().front(), QPoint(20, -100));

  QWheelEvent farUp(middle, Cards()->mapToGlobal(middle), QPoint(), QPoint(0, 1200), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Cards(), &farUp);
  EXPECT_EQ(bar->value(), 0);

  QApplication::sendEvent(Cards(), &notchDown);
  SetCardAreaWidth(850);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(CardPositions().front(), QPoint(20, 20));
}

TEST_F(CardViewTest, AnEmptyModeGivesNoPagesAndTheNextModeStartsAtPageOne) {
  InsertNumberedContacts(31);
  StartApp();
  PageBar()->OnNextPage();
  PollCards();

  App().m_viewMode = ViewMode::kSimContacts;  // no SIM contacts
  App().m_bDataChanged = true;
  PollCards();
  EXPECT_EQ(App().m_nPageCount, 0);
  EXPECT_EQ(App().m_nCurPage, 0);
  EXPECT_TRUE(Cards()->ShownCards().empty());
  EXPECT_EQ(PageBar()->m_cbPage->count(), 0);
  EXPECT_EQ(PageBar()->GetDlgItemText(CButtonForm::kPageCountStatic), "0");
  PageBar()->OnNextPage();
  PageBar()->OnLastPage();
  EXPECT_FALSE(App().m_bPageChanged);

  App().m_viewMode = ViewMode::kAll;
  App().m_bDataChanged = true;
  PollCards();
  EXPECT_EQ(App().m_nCurPage, 0);
  EXPECT_EQ(Cards()->ShownCards().size(), 30u);
  EXPECT_EQ(FirstCardName(), "First0  Last0");
  EXPECT_EQ(PageBar()->m_cbPage->currentIndex(), 0);
}

TEST_F(CardViewTest, DeletingTheOnlyRecordOfTheLastPageShowsTheNewLastPage) {
  InsertNumberedContacts(31);
  StartApp();
  PageBar()->OnLastPage();
  PollCards();
  QString onlyId = Cards()->ShownCards()[0]->m_strID;
  DatabaseConnection().Exec("delete from Contact_Table where ID = " + onlyId);
  App().m_bDataChanged = true;
  PollCards();
  EXPECT_EQ(App().m_nPageCount, 1);
  EXPECT_EQ(App().m_nCurPage, 0);
  EXPECT_EQ(Cards()->ShownCards().size(), 30u);
  EXPECT_EQ(PageBar()->m_cbPage->count(), 1);
  EXPECT_EQ(PageBar()->m_cbPage->currentIndex(), 0);
}

TEST_F(CardViewTest, APageThatCannotBeReadIsReportedOnceAndShowsNoCards) {
  InsertNumberedContacts(31);
  StartApp();
  ASSERT_TRUE(QFile::remove("Contact.cdt"));
  ASSERT_TRUE(QDir().mkdir("Contact.cdt"));
  script_.ExpectTips(kIconError, "Can't open database!");
  PageBar()->OnNextPage();
  PollCards();
  EXPECT_TRUE(Cards()->ShownCards().empty());
  Cards()->repaint();
}

TEST_F(CardViewTest, FlagsWaitWhileAPopUpMenuIsOpen) {
  InsertNumberedContacts(3);
  StartApp();
  CDlgResult* card = Cards()->ShownCards()[1];
  QString id = card->m_strID;
  script_.ExpectMenu([this](QMenu*) {
    // A record dialog saves while the card's handler is still running.
    App().m_bDataChanged = true;
    Cards()->OnTimer();
    EXPECT_TRUE(App().m_bDataChanged);
    return ID_CARD_MODIFY;
  });
  script_.ExpectDialog([](QDialog* dialog) {
    EXPECT_NE(dynamic_cast<CModifyDialog*>(dialog), nullptr);
    return IDCANCEL;
  });
  QTest::mouseClick(card, Qt::RightButton, {}, QPoint(100, 200));
  EXPECT_EQ(card->m_strID, id);
  // The reload runs once the handler has returned.
  EXPECT_TRUE(QTest::qWaitFor([this] { return !App().m_bDataChanged; }));
}

TEST_F(CardViewTest, RightClickOnTheBackgroundOffersAddNewRecord) {
  StartApp();
  script_.ExpectMenu([](QMenu* menu) {
    EXPECT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Add new record");
    return ID_CARDVIEW_ADD;
  });
  script_.ExpectDialog([](QDialog* dialog) {
    EXPECT_NE(dynamic_cast<CAddDialog*>(dialog), nullptr);
    return IDCANCEL;
  });
  QTest::mouseClick(Cards(), Qt::RightButton, {}, QPoint(300, 300));
}

}  // namespace
