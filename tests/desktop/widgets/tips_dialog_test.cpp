#include "desktop/widgets/tips_dialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "platform/windows/ellipsis_static.h"
#include "tests/support/scripted_services.h"
#include "tests/support/test_images.h"

namespace {

// Runs a tips box and lets `work` drive it while it is up.
int RunTips(int icon, const QString& text, const std::function<void(CTipsDialog*)>& work) {
  ScriptedServices script;
  script.ExpectDialog([&](QDialog* dialog) {
    dialog->show();
    work(dynamic_cast<CTipsDialog*>(dialog));
    return dialog->result();
  });
  CTipsDialog tips;
  tips.m_nIconId = icon;
  tips.m_strMessage = text;
  return tips.DoModal();
}

TEST(TipsDialog, ShowsIconTextAndTheFittedYesButton) {
  int result = RunTips(kIconError, "Import fail!", [](CTipsDialog* tips) {
    EXPECT_EQ(tips->windowTitle(), "Tips");
    auto* text = tips->Item<QLabel>(CTipsDialog::kMessageText);
    EXPECT_EQ(text->text(), "Import fail!");
    auto* icon = tips->Item<QLabel>(CTipsDialog::kIconStatic);
    EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
    EXPECT_LT(icon->x(), text->x());

    auto* yes = tips->Item<QAbstractButton>(CTipsDialog::kYesButton);
    EXPECT_EQ(yes->size(), QSize(34, 34));
    EXPECT_GT(yes->y(), text->y());
    EXPECT_EQ(tips->size(), QSize(208, 98));  // a short text keeps the template's size
    // The button's corners show the box's background, not a button face.
    EXPECT_EQ(tips->grab().toImage().pixelColor(yes->pos()), QColor(200, 222, 243));
    // It keeps its caption as its text and name, and shows its bitmap alone.
    EXPECT_EQ(tips->GetDlgItemText(CTipsDialog::kYesButton), "Yes");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(yes)->text(QAccessible::Name), "Yes");
    EXPECT_TRUE(DrawsItsPictureAlone(yes));
    SaveScreenshot(tips, "tips_box");
    QTest::mouseClick(yes, Qt::LeftButton);
  });
  EXPECT_EQ(result, IDCANCEL);
}

// File names and database errors reach the box: markup in them is text like any other.
TEST(TipsDialog, MarkupInTheTextShowsAsItIs) {
  const QString text = "Can't open <b>list</b>.cbk &amp; <i>more</i>!";
  RunTips(kIconError, text, [&](CTipsDialog* tips) {
    auto* label = tips->Item<QLabel>(CTipsDialog::kMessageText);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), text);
    SaveScreenshot(tips, "tips_box_markup");
    QTest::keyClick(tips, Qt::Key_Escape);
  });
}

TEST(TipsDialog, EscapeCancelsAndEnterConfirms) {
  EXPECT_EQ(RunTips(kIconSuccess, "Done",
                    [](CTipsDialog* tips) { QTest::keyClick(tips, Qt::Key_Escape); }),
            IDCANCEL);
  EXPECT_EQ(RunTips(kIconSuccess, "Done",
                    [](CTipsDialog* tips) { QTest::keyClick(tips, Qt::Key_Return); }),
            IDOK);
}

TEST(TipsDialog, UnknownIconLeavesTheIconEmpty) {
  int result = RunTips(4242, "Still works", [](CTipsDialog* tips) {
    EXPECT_TRUE(tips->Item<QLabel>(CTipsDialog::kIconStatic)->pixmap().isNull());
    QTest::mouseClick(tips->GetDlgItem(CTipsDialog::kYesButton), Qt::LeftButton);
  });
  EXPECT_EQ(result, IDCANCEL);
}

// A long text makes the box grow until the whole text shows, the Yes button centred below it.
TEST(TipsDialog, LongTextGrowsTheBoxUntilItShowsWhole) {
  const QString sentence =
      "The contacts backup file could not be imported because the database reported an error "
      "while it was writing the records: database or disk is full. Nothing of the file was kept; "
      "free some room on the disk, then import the file again from the Transfer Tool menu.";
  for (const QString& text : {sentence, QString(400, 'x')}) {
    RunTips(kIconError, text, [&](CTipsDialog* tips) {
      auto* label = tips->Item<EllipsisStatic>(CTipsDialog::kMessageText);
      EXPECT_EQ(label->ShownLines().join("").remove(' '), QString(text).remove(' '));
      EXPECT_GT(tips->height(), 98);
      QWidget* yes = tips->GetDlgItem(CTipsDialog::kYesButton);
      EXPECT_GT(yes->y(), label->geometry().bottom());
      EXPECT_NEAR(yes->geometry().center().x(), tips->width() / 2, 8);
      // Grown, it still opens in the middle of the screen (it has no owner here).
      EXPECT_NEAR(tips->geometry().center().x(), tips->screen()->geometry().center().x(), 2);
      SaveScreenshot(tips, QString("tips_box_long_text_%1").arg(text.size()));
      QTest::keyClick(tips, Qt::Key_Escape);
    });
  }
}

// A text longer than the screen can hold keeps the box on the screen and ends in an ellipsis.
TEST(TipsDialog, TextBeyondTheScreenEndsInAnEllipsis) {
  RunTips(kIconError, QString(20000, 'x'), [](CTipsDialog* tips) {
    QRect screen = tips->screen()->availableGeometry();
    EXPECT_LE(tips->width(), screen.width());
    EXPECT_LE(tips->height(), screen.height());
    auto* label = tips->Item<EllipsisStatic>(CTipsDialog::kMessageText);
    EXPECT_TRUE(label->ShownLines().last().endsWith(QChar(0x2026)));
    QTest::keyClick(tips, Qt::Key_Escape);
  });
}

}  // namespace
