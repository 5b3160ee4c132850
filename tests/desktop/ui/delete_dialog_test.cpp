#include "desktop/ui/delete_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_database.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_images.h"
#include "tests/support/working_folder.h"

namespace {

class DeleteDialogTest : public ::testing::Test {
 protected:
  DeleteDialogTest() : previousBrush_(BackBrush()) {
    AfxGetApp().m_bDataChanged = false;
    SetBackBrush(QBrush(QColor(200, 222, 243)));  // as the application sets it at start-up
  }
  ~DeleteDialogTest() override { SetBackBrush(previousBrush_); }

  // Runs the delete dialog on a record and clicks one of its buttons; `icon` and `text` are the
  // message expected after the click, if any.
  int RunDelete(const QString& id, const QString& name, int button, int icon = 0,
                const QString& text = QString()) {
    script_.ExpectDialog([&](QDialog* shown) {
      auto& dialog = *static_cast<CDeleteDialog*>(shown);
      EXPECT_EQ(dialog.windowTitle(), "Delete Contact-" + name);
      SaveScreenshot(&dialog, "delete_dialog");
      qobject_cast<QAbstractButton*>(dialog.GetDlgItem(button))->click();
      return dialog.result();
    });
    if (icon != 0) script_.ExpectTips(icon, text);
    CDeleteDialog dialog;
    dialog.m_strID = id;
    dialog.m_strName = name;
    return dialog.DoModal();
  }

  QBrush previousBrush_;
  TempWorkingFolder folder_;
  ScriptedServices script_;
};

TEST_F(DeleteDialogTest, YesDeletesTheRecordAndRaisesTheFlag) {
  std::vector<qint64> ids =
      InsertContacts({SamplePhoneContact("Ann", "Smith"), SampleSimContact("Bob", "1")});
  EXPECT_EQ(RunDelete(QString::number(ids[0]), "Smith,Ann", CDeleteDialog::kYesButton, kIconSuccess,
                      "Delete successfully!"),
            IDCANCEL);
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_EQ(CountContactRows("SIM_Name = 'Bob'"), 1);
  EXPECT_TRUE(AfxGetApp().m_bDataChanged);
}

TEST_F(DeleteDialogTest, NoChangesNothing) {
  InsertContacts({SamplePhoneContact("Ann", "Smith")});
  EXPECT_EQ(RunDelete("1", "Smith,Ann", CDeleteDialog::kNoButton), IDCANCEL);
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
}

TEST_F(DeleteDialogTest, ButtonsKeepTheirCaptionsAndDrawTheirBitmapsAlone) {
  script_.ExpectDialog([](QDialog* shown) {
    auto& dialog = *static_cast<CDeleteDialog*>(shown);
    for (auto [id, caption] :
         {std::pair{CDeleteDialog::kYesButton, "Yes"}, std::pair{CDeleteDialog::kNoButton, "No"}}) {
      EXPECT_EQ(dialog.GetDlgItemText(id), caption);
      EXPECT_TRUE(DrawsItsPictureAlone(dialog.Item<QAbstractButton>(id))) << caption;
    }
    return IDCANCEL;
  });
  CDeleteDialog().DoModal();
}

// The title names whom the user deletes: the dialog is wide enough for a title bar to show it
// whole (in a bold face of the desktop font, beside the window's icon and buttons), within the
// screen, and its controls stay centred.
TEST_F(DeleteDialogTest, TheWholeNameFitsTheTitleBar) {
  for (QString name : {"Silva3,Hui", "Rodrigues da Silva Pereira,Maria Conceição Aparecida"}) {
    script_.ExpectDialog([&](QDialog* shown) {
      auto& dialog = *static_cast<CDeleteDialog*>(shown);
      QFont title = QApplication::font();
      title.setBold(true);
      EXPECT_GE(dialog.width(),
                QFontMetrics(title).horizontalAdvance("Delete Contact-" + name) + 100);
      QRect buttons = dialog.GetDlgItem(CDeleteDialog::kYesButton)
                          ->geometry()
                          .united(dialog.GetDlgItem(CDeleteDialog::kNoButton)->geometry());
      EXPECT_NEAR(buttons.center().x(), dialog.width() / 2, 8);
      SaveScreenshot(&dialog, "delete_dialog_" + QString::number(name.size()));
      return IDCANCEL;
    });
    CDeleteDialog dialog;
    dialog.m_strName = name;
    dialog.DoModal();
  }
  script_.ExpectDialog([](QDialog* shown) {
    EXPECT_EQ(shown->width(), shown->screen()->availableGeometry().width());
    return IDCANCEL;
  });
  CDeleteDialog endless;
  endless.m_strName = QString(2000, 'W');
  endless.DoModal();
}

TEST_F(DeleteDialogTest, DatabaseErrorsShowTheDatabasesText) {
  RunDelete("1", "Smith,Ann", CDeleteDialog::kYesButton, kIconError, "file is not a database");
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);

  QFile::remove(kContactDatabaseFile);
  QDir().mkdir(kContactDatabaseFile);  // a database that cannot be opened
  RunDelete("1", "Smith,Ann", CDeleteDialog::kYesButton, kIconError,
            "unable to open database file");
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
}

TEST_F(DeleteDialogTest, IdIsQuotedIntoTheStatement) {
  InsertContacts({SamplePhoneContact("Ann", "Smith")});
  RunDelete("1' or '1'='1", "x", CDeleteDialog::kYesButton, kIconSuccess, "Delete successfully!");
  EXPECT_EQ(CountContactRows(), 1);
}

}  // namespace
