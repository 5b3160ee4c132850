// The card view, the cards and the list open the record dialogs on the record the user picked.
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_fields.h"
#include "desktop/ui/delete_dialog.h"
#include "desktop/ui/modify_dialog.h"
#include "desktop/ui/result_row_model.h"
#include "platform/windows/user_message.h"
#include "tests/desktop/ui/browse_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

class RecordRoutesTest : public BrowseTest {
 protected:
  void SetUp() override {
    ids_ = InsertContacts({SamplePhoneContact("Amy", "Adams"), SamplePhoneContact("Bob", "Brown")});
    StartApp();
  }

  CDlgResult* CardOf(qint64 id) {
    for (CDlgResult* card : Cards()->ShownCards()) {
      if (card->m_strID == QString::number(id)) return card;
    }
    ADD_FAILURE() << "no card for " << id;
    return nullptr;
  }

  // Expects the modify dialog of Bob, loaded.
  void ExpectModifyOfBob() {
    script_.ExpectDialog([this](QDialog* dialog) {
      auto* modify = dynamic_cast<CModifyDialog*>(dialog);
      EXPECT_NE(modify, nullptr);
      if (modify == nullptr) return IDCANCEL;
      EXPECT_EQ(modify->m_strID, QString::number(ids_[1]));
      EXPECT_EQ(modify->m_strName, "Brown,Bob");
      EXPECT_EQ(modify->GetDlgItemText(modify->FieldId(kColumnFirstName)), "Bob");
      return IDCANCEL;
    });
  }

  // Expects the delete dialog of Bob and answers Yes.
  void ExpectDeleteOfBobConfirmed() {
    script_.ExpectDialog([this](QDialog* dialog) {
      auto* remove = dynamic_cast<CDeleteDialog*>(dialog);
      EXPECT_NE(remove, nullptr);
      if (remove == nullptr) return IDCANCEL;
      EXPECT_EQ(remove->m_strID, QString::number(ids_[1]));
      QTest::mouseClick(remove->GetDlgItem(CDeleteDialog::kYesButton), Qt::LeftButton);
      return remove->result();
    });
    script_.ExpectTips(kIconSuccess, "Delete successfully!");
  }

  std::vector<qint64> ids_;
};

TEST_F(RecordRoutesTest, CardDoubleClickAndMenuOpenTheirRecord) {
  CDlgResult* bob = CardOf(ids_[1]);
  ASSERT_NE(bob, nullptr);
  ExpectModifyOfBob();
  QTest::mouseDClick(bob, Qt::LeftButton, {}, QPoint(100, 200));

  script_.ExpectMenu([](QMenu*) { return ID_CARD_MODIFY; });
  ExpectModifyOfBob();
  QTest::mouseClick(bob, Qt::RightButton, {}, QPoint(100, 200));
}

TEST_F(RecordRoutesTest, DeletingFromACardReloadsTheCards) {
  CDlgResult* bob = CardOf(ids_[1]);
  ASSERT_NE(bob, nullptr);
  script_.ExpectMenu([](QMenu*) { return ID_CARD_DELETE; });
  ExpectDeleteOfBobConfirmed();
  QTest::mouseClick(bob, Qt::RightButton, {}, QPoint(100, 200));
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_TRUE(QTest::qWaitFor([this] { return Cards()->ShownCards().size() == 1; }));
  ASSERT_EQ(Cards()->ShownCards().size(), 1u);
  EXPECT_EQ(Cards()->ShownCards()[0]->m_strID, QString::number(ids_[0]));
}

TEST_F(RecordRoutesTest, ListDoubleClickAndMenuOpenTheSelectedRecord) {
  SendMessage(frame_, CMainFrame::kShowList);
  QTableView* view = List()->m_list;
  frame_->resize(1000, 600);
  QPoint bobRow = view->visualRect(List()->Model()->index(1, 3)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, bobRow);
  ExpectModifyOfBob();
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, bobRow);

  script_.ExpectMenu([](QMenu*) { return ID_LIST_DELETE; });
  ExpectDeleteOfBobConfirmed();
  QContextMenuEvent menu(QContextMenuEvent::Mouse, bobRow, view->viewport()->mapToGlobal(bobRow));
  QApplication::sendEvent(view->viewport(), &menu);
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_TRUE(QTest::qWaitFor([this] { return List()->Model()->rowCount() == 1; }));
}

}  // namespace
