#include "device/frame/scaled_images.h"

#include <gtest/gtest.h>

#include "platform/device/shell/resource_module.h"
#include "tests/support/device_testing.h"

namespace {

// A strip of two 64-pixel images, red and blue, with a green corner pixel in the first.
class ScaledImagesTest : public ::testing::Test {
 protected:
  ScaledImagesTest() {
    table_.bitmaps = bitmaps_;
    module_ = {&table_, {}, resolutions_, {}};
    InstallResourceModule(&module_);
  }
  ~ScaledImagesTest() override { InstallResourceModule(nullptr); }

  static QImage Strip() {
    QImage strip(128, 64, QImage::Format_RGB32);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 64, 64, Qt::red);
    painter.fillRect(64, 0, 64, 64, Qt::blue);
    return strip;
  }

  const ImageResource bitmaps_[4] = {
      {135, ":/device/bitmaps/contacts_backup.svg", 128, 64},
      {136, ":/device/bitmaps/exit.svg", 128, 64},
      {137, ":/device/bitmaps/exit.svg", 256, 128},
      {138, ":/device/bitmaps/exit.svg", 40, 64},
  };
  // 136 declares less than 96 pixels per inch, 137 declares 192.
  const BitmapResolution resolutions_[2] = {{136, 1000, 0}, {137, 7559, 7559}};
  ResourceTable table_;
  ResourceModule module_;
};

TEST_F(ScaledImagesTest, ABitmapDeclaringNothingOrLittleCountsAs96Dpi) {
  int x = 0, y = 0;
  EXPECT_EQ(GetBitmapDpi(135, &x, &y), 1);
  EXPECT_EQ(x, 96);
  EXPECT_EQ(y, 96);
  EXPECT_EQ(GetBitmapDpi(136, &x, &y), 1);
  EXPECT_EQ(x, 96);
  EXPECT_EQ(GetBitmapDpi(137, &x, &y), 1);
  EXPECT_EQ(x, 192);
  EXPECT_EQ(y, 192);
  EXPECT_EQ(GetBitmapDpi(999, &x, &y), 0);
}

TEST_F(ScaledImagesTest, AStripOfTwo64PixelImagesDoublesAt192Dpi) {
  ScopedPhoneScreen screen({480, 640, 192});
  auto list = LoadScaledImageList(135, 64, 0, CLR_NONE, IMAGE_BITMAP, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetImageCount(), 2);
  EXPECT_EQ(list->GetImageSize(), QSize(128, 128));
}

TEST_F(ScaledImagesTest, At131DpiEachImageIsStretchedOnItsOwn) {
  ScopedPhoneScreen screen({320, 426, 131});
  auto list = LoadScaledImageList(135, 64, 0, CLR_NONE, IMAGE_BITMAP, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetImageCount(), 2);
  EXPECT_EQ(list->GetImageSize(), QSize(87, 87));
}

TEST_F(ScaledImagesTest, ABitmapOfTheScreensResolutionIsTakenAsItIs) {
  ScopedPhoneScreen screen({480, 640, 192});
  auto list = LoadScaledImageList(137, 128, 0, CLR_NONE, IMAGE_BITMAP, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetImageSize(), QSize(128, 128));
  ScopedPhoneScreen standard({240, 320, 96});
  EXPECT_EQ(LoadScaledImageList(135, 64, 0, CLR_NONE, IMAGE_BITMAP, 0)->GetImageSize(),
            QSize(64, 64));
}

TEST_F(ScaledImagesTest, NothingToLoadGivesNoList) {
  EXPECT_EQ(LoadScaledImageList(999, 64, 0, CLR_NONE, IMAGE_BITMAP, 0), nullptr);
  EXPECT_EQ(LoadScaledImageList(135, 0, 0, CLR_NONE, IMAGE_BITMAP, 0), nullptr);
  EXPECT_EQ(LoadScaledImageList(135, 64, 0, CLR_NONE, 1, 0), nullptr);             // an icon
  EXPECT_EQ(LoadScaledImageList(138, 64, 0, CLR_NONE, IMAGE_BITMAP, 0), nullptr);  // too narrow
}

TEST_F(ScaledImagesTest, TheMaskColourBecomesTransparent) {
  CImageList list(QSize(64, 64));
  ASSERT_TRUE(list.Add(Strip(), 0xFF0000));
  EXPECT_EQ(qAlpha(list.Image(0).pixel(5, 5)), 0);
  EXPECT_EQ(list.Image(1).pixel(5, 5), QColor(Qt::blue).rgb());
}

TEST(ScaleBitmapBltTest, StretchesEachTileIntoItsPlace) {
  QImage strip(128, 64, QImage::Format_RGB32);
  strip.fill(Qt::red);
  QPainter(&strip).fillRect(64, 0, 64, 64, Qt::blue);
  QImage scaled;
  ASSERT_EQ(ScaleBitmapBlt(strip, &scaled, 87, 87, 2, 1), 1);
  EXPECT_EQ(scaled.size(), QSize(174, 87));
  EXPECT_EQ(scaled.pixel(43, 43), QColor(Qt::red).rgb());
  EXPECT_EQ(scaled.pixel(130, 43), QColor(Qt::blue).rgb());
}

TEST(ScaleBitmapBltTest, AMissingSideKeepsTheTilesProportions) {
  QImage strip(128, 32, QImage::Format_RGB32);
  strip.fill(Qt::red);
  QImage scaled;
  ASSERT_EQ(ScaleBitmapBlt(strip, &scaled, 0, 64, 2, 1), 1);
  EXPECT_EQ(scaled.size(), QSize(256, 64));
  ASSERT_EQ(ScaleBitmapBlt(strip, &scaled, 32, 0, 2, 1), 1);
  EXPECT_EQ(scaled.size(), QSize(64, 16));
}

TEST(ScaleBitmapBltTest, TheSameSizeMakesNoNewBitmapAndNoTilesFail) {
  QImage strip(128, 64, QImage::Format_RGB32);
  QImage untouched;
  EXPECT_EQ(ScaleBitmapBlt(strip, &untouched, 64, 64, 2, 1), 1);
  EXPECT_TRUE(untouched.isNull());
  EXPECT_EQ(ScaleBitmapBlt(strip, &untouched, 64, 64, 0, 1), 0);
  EXPECT_EQ(ScaleBitmapBlt(strip, &untouched, 64, 64, 200, 1), 0);
  EXPECT_EQ(ScaleBitmapBlt(strip, &untouched, 0, 0, 2, 1), 0);
}

}  // namespace
