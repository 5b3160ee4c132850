#include "desktop/ui/search_pane.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "platform/windows/resources.h"
#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

class SearchPaneTest : public BrowseTest {
 protected:
  // True when the filter button shows the marked icon at rest, false for the unmarked one.
  static bool IsMarked(CPictureButton* button) {
    QColor middle = PixelOf(button, QPoint(3 + 8, (button->height() - 16) / 2 + 8));
    QImage marked = LoadIcon(kIconFilterMarked).pixmap(16).toImage();
    QImage unmarked = LoadIcon(kIconFilterUnmarked).pixmap(16).toImage();
    EXPECT_NE(marked.pixelColor(8, 8), unmarked.pixelColor(8, 8));
    if (middle == marked.pixelColor(8, 8)) return true;
    EXPECT_EQ(middle, unmarked.pixelColor(8, 8));
    return false;
  }
  std::vector<bool> Marks() const {
    CDlgForm* pane = SearchPane();
    return {IsMarked(pane->m_btnAll), IsMarked(pane->m_btnSim), IsMarked(pane->m_btnMobile)};
  }
};

TEST_F(SearchPaneTest, AnEmptyDatabaseRefusesSearchesAndNotesEachEmptyFilterOnce) {
  StartApp();
  script_.ExpectTips(kIconError, "No contact records!");
  SearchPane()->OnSearch();
  for (auto filter : {&CDlgForm::OnShowSim, &CDlgForm::OnShowAll}) {
    (SearchPane()->*filter)();
    script_.ExpectTips(kIconError, "No contact record!");  // from the timer, after the click
    EXPECT_TRUE(script_.WaitUntilDone());
    SearchPane()->OnTimer();  // once
  }
  EXPECT_EQ(Marks(), std::vector<bool>({true, false, false}));
}

TEST_F(SearchPaneTest, FiltersMarkTheirButtonAndReloadOnlyOnAChange) {
  InsertContacts({SamplePhoneContact("Pat", "Phone"), SamplePhoneContact("Max", "Mobile")});
  StartApp();
  EXPECT_EQ(Marks(), std::vector<bool>({true, false, false}));

  SearchPane()->OnShowAll();  // already in force
  EXPECT_FALSE(App().m_bDataChanged);

  SearchPane()->OnShowSim();  // no SIM contacts: marks and mode stay
  EXPECT_FALSE(App().m_bDataChanged);
  script_.ExpectTips(kIconError, "No contact record!");
  EXPECT_TRUE(script_.WaitUntilDone());
  EXPECT_EQ(App().m_viewMode, ViewMode::kAll);
  EXPECT_EQ(Marks(), std::vector<bool>({true, false, false}));

  SearchPane()->OnShowMobile();
  EXPECT_EQ(App().m_viewMode, ViewMode::kPhoneContacts);
  EXPECT_TRUE(App().m_bDataChanged);
  EXPECT_EQ(Marks(), std::vector<bool>({false, false, true}));
}

TEST_F(SearchPaneTest, KeywordsAreTrimmedAndASearchUnmarksEveryFilter) {
  InsertNumberedContacts(12);
  StartApp();
  App().m_nCurPage = 1;
  auto* edit = SearchPane()->Item<QLineEdit>(CDlgForm::kKeywordEdit);
  edit->setText("   ");
  script_.ExpectTips(kIconError, "Keyword can't be empty!");
  SearchPane()->OnSearch();
  EXPECT_EQ(App().m_viewMode, ViewMode::kAll);
  EXPECT_FALSE(App().m_bSearchChanged);

  edit->setText("  last1 ");
  SearchPane()->OnSearch();
  EXPECT_EQ(App().m_viewMode, ViewMode::kKeywordSearch);
  EXPECT_EQ(App().m_strKeyword, "last1");
  EXPECT_EQ(App().m_nCurPage, 0);
  EXPECT_TRUE(App().m_bSearchChanged);
  EXPECT_EQ(edit->text(), "  last1 ");
  EXPECT_EQ(Marks(), std::vector<bool>({false, false, false}));
  PollCards();
  EXPECT_FALSE(App().m_bSearchChanged);
  EXPECT_EQ(Cards()->m_nCardCount, 3);  // Last1, Last10, Last11

  SearchPane()->OnShowAll();
  EXPECT_EQ(App().m_viewMode, ViewMode::kAll);
  EXPECT_TRUE(App().m_bDataChanged);
  EXPECT_EQ(Marks(), std::vector<bool>({true, false, false}));
  PollCards();
  EXPECT_EQ(Cards()->m_nCardCount, 12);
}

TEST_F(SearchPaneTest, AFilterReportsADatabaseThatDoesNotOpen) {
  InsertNumberedContacts(1);
  StartApp();
  ASSERT_TRUE(QFile::remove("Contact.cdt"));
  ASSERT_TRUE(QDir().mkdir("Contact.cdt"));
  script_.ExpectTips(kIconError, "Can't open database!");
  SearchPane()->OnShowMobile();
  EXPECT_EQ(App().m_viewMode, ViewMode::kAll);
}

// A search that cannot read the records says why instead of showing no cards.
TEST_F(SearchPaneTest, SearchesOnADamagedOrLockedDatabaseSaySo) {
  InsertContactsWithOneDamaged(3, 1);
  script_.ExpectTips(kIconError, "Can't read database!");  // the first page holds the damage
  StartApp();
  SearchPane()->Item<QLineEdit>(CDlgForm::kKeywordEdit)->setText("First");
  SearchPane()->OnSearch();  // the count is whole
  script_.ExpectTips(kIconError, "Can't read database!");
  PollCards();  // the search reads every record
  EXPECT_EQ(Cards()->m_nCardCount, 0);

  DatabaseConnection holder;
  ASSERT_EQ(holder.Exec("begin exclusive"), SQLITE_OK);
  script_.ExpectTips(kIconError, "Database is locked!");
  SearchPane()->OnSearch();
  script_.ExpectTips(kIconError, "Database is locked!");
  SearchPane()->OnShowMobile();
  EXPECT_TRUE(script_.Done());
}

TEST_F(SearchPaneTest, ViewButtonsSwapTheResultViewAndKeepThePage) {
  InsertNumberedContacts(31);
  StartApp();
  CDlgForm* pane = SearchPane();
  EXPECT_FALSE(pane->m_btnContactView->isEnabled());
  EXPECT_TRUE(pane->m_btnContactList->isEnabled());
  PageBar()->OnNextPage();
  PollCards();

  pane->OnContactList();
  ASSERT_NE(List(), nullptr);
  EXPECT_TRUE(pane->m_btnContactView->isEnabled());
  EXPECT_FALSE(pane->m_btnContactList->isEnabled());
  EXPECT_FALSE(PageBar()->isEnabled());
  EXPECT_EQ(List()->Model()->rowCount(), 31);

  pane->OnContactView();
  ASSERT_NE(Cards(), nullptr);
  EXPECT_FALSE(pane->m_btnContactView->isEnabled());
  EXPECT_TRUE(pane->m_btnContactList->isEnabled());
  EXPECT_TRUE(PageBar()->isEnabled());
  EXPECT_EQ(App().m_nCurPage, 1);
  EXPECT_EQ(Cards()->ShownCards().size(), 1u);
}

}  // namespace
