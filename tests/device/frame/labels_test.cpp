#include <QApplication>
#include <QMouseEvent>
#include <QPalette>

#include <gtest/gtest.h>

#include "device/frame/color_label.h"
#include "device/frame/my_static.h"
#include "platform/device/shell/resource_module.h"

namespace {

TEST(ColorLabelTest, StartsWithTheSystemColours) {
  CColorLabel label;
  EXPECT_EQ(label.TextColor(), QApplication::palette().color(QPalette::WindowText));
  EXPECT_EQ(label.BkColor(), QApplication::palette().color(QPalette::Button));
}

TEST(ColorLabelTest, TheLastFontSizeStaysWhenBoldIsSet) {
  CColorLabel label;
  label.SetLabelFontSize(20);
  label.SetLabelFontSize(11);
  label.SetLabelBold(true);
  EXPECT_EQ(label.font().pixelSize(), 11);
  EXPECT_TRUE(label.font().bold());
  label.SetLabelBold(false);
  EXPECT_FALSE(label.font().bold());
  EXPECT_EQ(label.font().pixelSize(), 11);
}

TEST(ColorLabelTest, PaintsItsTextOnItsBackground) {
  CColorLabel label;
  label.resize(60, 20);
  label.SetLabelBkColor(Qt::white);
  label.SetLabelTextColor(Qt::red);
  label.setText(QStringLiteral("MMMM"));
  label.SetLabelFontSize(16);
  QImage image = label.grab().toImage();
  EXPECT_EQ(image.pixelColor(59, 19), QColor(Qt::white));
  bool red = false;
  for (int y = 0; y < 20 && !red; ++y) {
    for (int x = 0; x < 60 && !red; ++x)
      red = image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 60;
  }
  EXPECT_TRUE(red);
}

TEST(ColorLabelTest, SwallowsMousePresses) {
  struct Parent : QWidget {
    int presses = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
  } parent;
  auto* label = new CColorLabel(&parent);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(label, &press);
  EXPECT_EQ(parent.presses, 0);
}

class MyStaticTest : public ::testing::Test {
 protected:
  MyStaticTest() {
    table_.bitmaps = bitmaps_;
    module_.table = &table_;
    InstallResourceModule(&module_);
  }
  ~MyStaticTest() override { InstallResourceModule(nullptr); }

  const ImageResource bitmaps_[1] = {{150, ":/device/bitmaps/separator_stretched.svg", 200, 2}};
  ResourceTable table_;
  ResourceModule module_;
};

TEST_F(MyStaticTest, StretchesItsBitmapOverItsWholeRectangle) {
  QWidget parent;
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, Qt::white);
  parent.setPalette(palette);
  parent.setAutoFillBackground(true);
  auto* separator = new CMyStatic(&parent);
  separator->setGeometry(0, 0, 400, 10);
  parent.resize(400, 10);
  separator->SetBitmapId(150);
  QImage image = parent.grab().toImage();
  QColor middle = image.pixelColor(200, 9);  // the bitmap is 2 pixels high, stretched to 10
  EXPECT_NE(middle, QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(200, 0), middle);
}

TEST_F(MyStaticTest, PaintsNothingWithoutABitmap) {
  QWidget parent;
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, Qt::white);
  parent.setPalette(palette);
  parent.setAutoFillBackground(true);
  auto* separator = new CMyStatic(&parent);
  separator->setGeometry(0, 0, 40, 10);
  separator->setText(QStringLiteral("text"));
  parent.resize(40, 10);
  QImage image = parent.grab().toImage();
  for (int x = 0; x < 40; ++x) EXPECT_EQ(image.pixelColor(x, 5), QColor(Qt::white));
  separator->SetBitmapId(151);  // missing
  image = parent.grab().toImage();
  EXPECT_EQ(image.pixelColor(20, 5), QColor(Qt::white));
}

}  // namespace
