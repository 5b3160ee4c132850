#include "platform/windows/dialog.h"

#include <QTest>

#include <gtest/gtest.h>

#include "platform/windows/window_styles.h"

namespace {

const DialogTemplate kPage = {
    1,
    "",
    100,
    60,
    "MS Shell Dlg",
    8,
    {{10, ControlKind::kEdit, "", 5, 5, 80, 12, WS_VISIBLE | WS_TABSTOP}},
};

TEST(Dialog, ChildDialogsLeaveEnterAndEscapeToTheirWindow) {
  QDialog window;
  int windowKeys = 0;
  struct KeyCounter : QObject {
    int* count;
    explicit KeyCounter(int* c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::KeyPress) ++*count;
      return false;
    }
  } counter(&windowKeys);
  window.installEventFilter(&counter);

  CDialog page(kPage);
  page.Create(&window);
  window.show();
  page.show();
  QWidget* edit = page.GetDlgItem(10);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(page.isHidden());  // the page did not end itself (the window may have)
  EXPECT_EQ(windowKeys, 2);       // both keys reached the window
}

}  // namespace
