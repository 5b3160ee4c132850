#include "platform/windows/dialog.h"

#include <QTest>

#include <gtest/gtest.h>

#include "platform/windows/window_styles.h"

namespace {

const DialogTemplate kPage = {
    .id = 1,
    .cx = 100,
    .cy = 60,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {{10, ControlKind::kEdit, "", 5, 5, 80, 12, WS_VISIBLE | WS_TABSTOP}}};

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

// Dialog units follow the font a dialog is really drawn with: a quarter of its average letter
// width across, an eighth of its height down.
TEST(Dialog, DialogUnitsComeFromTheRealFont) {
  QFont dejaVu(QStringLiteral("DejaVu Sans"));
  dejaVu.setPixelSize(11);
  const std::pair<QFont, QSize> fonts[] = {
      {DialogFont("MS Shell Dlg", 8), {6, 13}},          // WenQuanYi Micro Hei, 11 pixels
      {DialogFont("Microsoft Sans Serif", 9), {7, 14}},  // the same face, 12 pixels
      {dejaVu, {7, 13}},                                 // wider letters, same height
  };
  for (const auto& [font, base] : fonts) {
    DialogUnits units(font);
    EXPECT_EQ(QSize(units.ToPixelsX(4), units.ToPixelsY(8)), base) << font.family().toStdString();
  }
}

}  // namespace
