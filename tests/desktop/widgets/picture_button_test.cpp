#include "desktop/widgets/picture_button.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

// A parent painted red, so that what a transparent button leaves unpainted shows red.
class PictureButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.resize(100, 100);
    parent_.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::red);
    parent_.setPalette(palette);
  }

  CPictureButton* YesButton(unsigned style = BS_PUSHBUTTON) {
    auto* button = new CPictureButton(&parent_, style);
    button->SetButtonBitmaps(LoadBitmap(kBitmapYesHover), LoadBitmap(kBitmapYesRest));
    button->SizeToImage();
    button->SetShowBorder(false);
    button->SetTransparent(true);
    button->move(10, 10);
    parent_.show();
    return button;
  }

  // The button as it is drawn over its parent.
  QImage Rendered(CPictureButton* button) { return parent_.grab(button->geometry()).toImage(); }

  QWidget parent_;
};

TEST_F(PictureButtonTest, RestAndHoverPicturesWithMagentaTransparent) {
  CPictureButton* button = YesButton();
  QImage rest = LoadBitmap(kBitmapYesRest);
  QImage hover = LoadBitmap(kBitmapYesHover);
  QPoint centre(17, 17);
  ASSERT_NE(rest.pixel(centre), hover.pixel(centre));

  QImage shown = Rendered(button);
  EXPECT_EQ(shown.pixel(centre), rest.pixel(centre));
  // Corners are magenta in the artwork: the parent's red shows through.
  EXPECT_EQ(rest.pixel(0, 0) & 0xFFFFFF, 0xFF00FFu);
  EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::red));

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
  QApplication::sendEvent(button, &enter);
  EXPECT_TRUE(button->IsHovered());
  EXPECT_EQ(Rendered(button).pixel(centre), hover.pixel(centre));

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_FALSE(button->IsHovered());
  EXPECT_EQ(Rendered(button).pixel(centre), rest.pixel(centre));
}

TEST_F(PictureButtonTest, PressedShowsTheHoverPictureShifted) {
  CPictureButton* button = YesButton();
  button->SetPressedShift(QPoint(0, 2));
  button->setDown(true);
  QImage shown = Rendered(button);
  QImage hover = LoadBitmap(kBitmapYesHover);
  EXPECT_EQ(shown.pixel(17, 19), hover.pixel(17, 17));
  EXPECT_EQ(QColor(shown.pixel(17, 0)), QColor(Qt::red));  // shifted down: red above
}

TEST_F(PictureButtonTest, NonFlatButtonsDoNotTrackHover) {
  CPictureButton* button = YesButton();
  button->SetFlat(false);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
  QApplication::sendEvent(button, &enter);
  EXPECT_FALSE(button->IsHovered());
}

TEST_F(PictureButtonTest, SizeToImageFitsTheHoverPictureWithoutMargins) {
  CPictureButton button(&parent_);
  button.resize(80, 60);
  button.SetButtonBitmaps(LoadBitmap(kBitmapYesHover), QImage());
  button.SizeToImage();
  EXPECT_EQ(button.size(), QSize(34, 34));
  EXPECT_EQ(button.sizeHint(), QSize(34, 34));  // no margin around the picture
  EXPECT_FALSE(button.SetButtonBitmaps(QImage(), QImage()));
}

TEST_F(PictureButtonTest, CheckModeComesFromTheTemplateStyle) {
  CPictureButton check(&parent_, BS_AUTOCHECKBOX);
  EXPECT_TRUE(check.IsCheckMode());
  QTest::mouseClick(&check, Qt::LeftButton);
  EXPECT_EQ(check.GetCheck(), 1);
  QTest::mouseClick(&check, Qt::LeftButton);
  EXPECT_EQ(check.GetCheck(), 0);
  check.SetCheck(2);
  EXPECT_EQ(check.GetCheck(), 1);

  CPictureButton radio(&parent_, BS_AUTORADIOBUTTON | WS_GROUP);
  EXPECT_FALSE(radio.IsCheckMode());
  radio.SetCheck(1);
  EXPECT_EQ(radio.GetCheck(), 0);

  CPictureButton byDefault(&parent_, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(byDefault.IsDefault());
  EXPECT_EQ(byDefault.ButtonType(), BS_PUSHBUTTON);
}

TEST_F(PictureButtonTest, DoubleClickCountsAsTwoClicks) {
  CPictureButton* button = YesButton();
  QSignalSpy clicks(button, &QAbstractButton::clicked);
  QPointF at(5, 5);
  auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(button, &event);
  };
  // What a quick double click delivers: press, release, double click, release.
  send(QEvent::MouseButtonPress);
  send(QEvent::MouseButtonRelease);
  send(QEvent::MouseButtonDblClick);
  send(QEvent::MouseButtonRelease);
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PictureButtonTest, DisabledCaptionIsEmbossed) {
  CPictureButton button(&parent_);
  button.setText("Go");
  button.resize(60, 30);
  button.setEnabled(false);
  parent_.show();
  QImage shown = button.grab().toImage();
  // The system's highlight and shadow colours, not the paler ones of disabled widgets.
  QColor light = button.palette().color(QPalette::Active, QPalette::Light);
  QColor dark = button.palette().color(QPalette::Active, QPalette::Dark);
  auto near = [](QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           40;
  };
  bool hasLight = false, hasDark = false;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 3; x < shown.width() - 3; ++x) {
      hasLight |= near(shown.pixel(x, y), light);
      hasDark |= near(shown.pixel(x, y), dark);
    }
  }
  EXPECT_TRUE(hasLight);
  EXPECT_TRUE(hasDark);
}

TEST_F(PictureButtonTest, HandCursorAndTooltip) {
  CPictureButton button(&parent_);
  EXPECT_TRUE(button.SetHandCursor());
  EXPECT_FALSE(button.cursor().pixmap().isNull());
  button.SetButtonTooltip("");
  EXPECT_TRUE(button.toolTip().isEmpty());
  button.SetButtonTooltip("Search");
  EXPECT_EQ(button.toolTip(), "Search");
}

}  // namespace
