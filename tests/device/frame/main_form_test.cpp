#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "device/frame/color_label.h"
#include "device/frame/device_view.h"
#include "device/frame/device_view_color_labels.h"
#include "device/frame/my_static.h"
#include "tests/device/frame/frame_testing.h"

namespace {

class MainFormTest : public FrameTest {
 protected:
  CDeviceView* View() { return Frame().View(); }
  QSize ImageSize(int button) { return View()->ButtonImages(button)->GetImageSize(); }
};

TEST_F(MainFormTest, SmallScreenLayout) {
  Start(FormStyle::kMarrowind, {240, 320, 96});
  EXPECT_EQ(Frame().size(), QSize(240, 320));
  EXPECT_EQ(Geometry(1017), QRect(84, 0, 72, 12));    // maker
  EXPECT_EQ(Geometry(1018), QRect(20, 12, 200, 22));  // name
  EXPECT_EQ(Geometry(1019), QRect(10, 37, 220, 1));   // first separator
  EXPECT_EQ(Geometry(1001), QRect(10, 43, 64, 64));   // first button
  EXPECT_EQ(Geometry(1020), QRect(79, 48, 180, 20));  // its title
  EXPECT_EQ(Geometry(1021), QRect(79, 71, 140, 26));  // its description
  EXPECT_EQ(Geometry(1022), QRect(10, 108, 220, 1));
  EXPECT_EQ(Geometry(1002), QRect(10, 114, 64, 64));
  EXPECT_EQ(Geometry(1000), QRect(10, 185, 64, 64));   // exit button
  EXPECT_EQ(Geometry(1026), QRect(79, 205, 100, 20));  // its title, lower
  EXPECT_EQ(Geometry(1028), QRect(10, 250, 220, 1));
  EXPECT_EQ(Geometry(1027), QRect(40, 251, 160, 14));  // link
  EXPECT_EQ(ImageSize(0), QSize(64, 64));
}

TEST_F(MainFormTest, AScreen800PixelsHighIsBig) {
  Start(FormStyle::kMarrowind, {480, 800, 192});
  EXPECT_EQ(Geometry(1017), QRect(168, 36, 144, 24));  // 18 units lower
  EXPECT_EQ(Geometry(1019), QRect(20, 110, 440, 2));
  EXPECT_EQ(Geometry(1001), QRect(20, 122, 144, 144));
  EXPECT_EQ(Geometry(1028), QRect(20, 584, 440, 2));
  EXPECT_EQ(Geometry(1027), QRect(80, 626, 320, 28));  // 20 units below the last separator
  for (int button = 0; button < 3; ++button) {
    EXPECT_EQ(ImageSize(button), QSize(144, 144));  // 72-pixel images at 192 dpi
    EXPECT_EQ(View()->ButtonImages(button)->GetImageCount(), 2);
  }
}

TEST_F(MainFormTest, AScreen799PixelsHighIsSmall) {
  Start(FormStyle::kMarrowind, {480, 799, 192});
  EXPECT_EQ(Geometry(1017), QRect(168, 0, 144, 24));
  EXPECT_EQ(Geometry(1001), QRect(20, 86, 128, 128));
  EXPECT_EQ(Geometry(1027).top(), Geometry(1028).bottom() + 1);
  EXPECT_EQ(ImageSize(0), QSize(128, 128));  // 64-pixel images at 192 dpi
}

TEST_F(MainFormTest, TurningTheScreenRecentresAndReloadsImagesOnlyForANewHeight) {
  Start(FormStyle::kMarrowind, {240, 320, 96});
  const CImageList* portraitImages = View()->ButtonImages(0);

  SetPhoneScreen({320, 320, 96});  // same height: the images stay
  EXPECT_EQ(Frame().size(), QSize(320, 320));
  EXPECT_EQ(Geometry(1017), QRect(124, 0, 72, 12));
  EXPECT_EQ(Geometry(1019), QRect(50, 37, 220, 1));
  EXPECT_EQ(View()->ButtonImages(0), portraitImages);

  SetPhoneScreen({320, 240, 96});  // landscape: a new height
  EXPECT_EQ(View()->LastScreenHeight(), 240);
  EXPECT_NE(View()->ButtonImages(0), portraitImages);
  EXPECT_EQ(Geometry(1001), QRect(50, 43, 64, 64));
}

TEST_F(MainFormTest, ButtonsDrawTheirPressedImageWhileDown) {
  Start(FormStyle::kMarrowind);
  CImageButton* button = View()->Button(0);
  QImage normal = button->grab().toImage();
  button->setDown(true);
  QImage pressed = button->grab().toImage();
  EXPECT_EQ(normal, View()->ButtonImages(0)->Image(0).convertToFormat(normal.format()));
  EXPECT_EQ(pressed, View()->ButtonImages(0)->Image(1).convertToFormat(pressed.format()));
}

TEST_F(MainFormTest, ButtonsSendTheProgramsCommandsAndExitCloses) {
  Start(FormStyle::kMarrowind);
  QTest::mouseClick(View()->Button(0), Qt::LeftButton);
  QTest::mouseClick(View()->Button(1), Qt::LeftButton);
  EXPECT_EQ(commands_, (std::vector<int>{32777, 32776}));
  EXPECT_TRUE(Frame().isVisible());
  QTest::mouseClick(View()->Button(2), Qt::LeftButton);
  EXPECT_FALSE(Frame().isVisible());
}

TEST_F(MainFormTest, MarrowindLabelsAreWhiteWithScaledCharacterHeights) {
  Start(FormStyle::kMarrowind, {480, 640, 192});
  auto* view = dynamic_cast<CMarrowindView*>(View());
  ASSERT_NE(view, nullptr);
  struct Expected {
    int id;
    int pixels;
    bool bold;
  };
  for (Expected label : {Expected{1017, 24, false},
                         {1018, 40, true},
                         {1020, 32, true},
                         {1023, 32, true},
                         {1026, 32, true},
                         {1021, 22, false},
                         {1024, 22, false},
                         {1027, 22, false}}) {
    CColorLabel* control = view->Label(label.id);
    ASSERT_NE(control, nullptr) << label.id;
    EXPECT_EQ(control->BkColor(), QColor(Qt::white)) << label.id;
    EXPECT_EQ(control->font().pixelSize(), label.pixels) << label.id;
    EXPECT_EQ(control->font().bold(), label.bold) << label.id;
  }
  EXPECT_EQ(view->Label(1021)->text().toStdString(),
            "Backup all Contacts from\nSIM , Outlook and Mobile ");
  // The separators show bitmap 131 from their template.
  EXPECT_FALSE(dynamic_cast<QLabel*>(view->GetDlgItem(1019))->pixmap().isNull());
}

TEST_F(MainFormTest, SkeldraFormShowsTheWebAddressAndPaintedSeparators) {
  Start(FormStyle::kSkeldra);
  CDeviceView* view = View();
  EXPECT_EQ(view->GetDlgItemText(1032).toStdString(), "www.velthorn.example");  // not "NONE"
  for (int id : {1042, 1043, 1044, 1045}) {
    auto* separator = dynamic_cast<CMyStatic*>(view->GetDlgItem(id));
    ASSERT_NE(separator, nullptr) << id;
    EXPECT_EQ(separator->BitmapId(), 150);
  }
  EXPECT_EQ(Geometry(1041), QRect(85, 0, 70, 12));
  EXPECT_EQ(Geometry(1014), QRect(45, 12, 150, 22));
  EXPECT_EQ(Geometry(1042), QRect(20, 37, 200, 1));
  EXPECT_EQ(Geometry(1027), QRect(20, 43, 64, 64));
  EXPECT_EQ(Geometry(1049), QRect(89, 48, 120, 20));
  EXPECT_EQ(Geometry(1050), QRect(89, 71, 140, 24));
  EXPECT_EQ(Geometry(1032), QRect(40, 251, 160, 12));
  // The titles are bold; the program's name is bold and larger still.
  QFont title = view->GetDlgItem(1049)->font();
  QFont name = view->GetDlgItem(1014)->font();
  QFont description = view->GetDlgItem(1050)->font();
  EXPECT_TRUE(title.bold());
  EXPECT_FALSE(description.bold());
  EXPECT_GT(name.pixelSize(), title.pixelSize());
  EXPECT_GT(title.pixelSize(), description.pixelSize());
}

}  // namespace
