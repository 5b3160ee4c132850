// Pictures of the main windows, to look at: each form style on a small and a large screen.

#include <QFileInfo>

#include <gtest/gtest.h>

#include "tests/device/frame/frame_testing.h"

namespace {

class ScreenshotTest : public FrameTest {
 protected:
  void Take(FormStyle style, const PhoneScreen& screen, const QString& name) {
    Start(style, screen);
    QString path = SaveScreenshot(&Frame(), name);
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  }
};

TEST_F(ScreenshotTest, SkeldraForm240x320) {
  Take(FormStyle::kSkeldra, {240, 320, 96}, "device_skeldra_240x320");
}

TEST_F(ScreenshotTest, SkeldraForm480x800) {
  Take(FormStyle::kSkeldra, {480, 800, 192}, "device_skeldra_480x800");
}

TEST_F(ScreenshotTest, MarrowindForm240x320) {
  Take(FormStyle::kMarrowind, {240, 320, 96}, "device_marrowind_240x320");
}

TEST_F(ScreenshotTest, MarrowindForm480x800) {
  Take(FormStyle::kMarrowind, {480, 800, 192}, "device_marrowind_480x800");
}

TEST_F(ScreenshotTest, MarrowindForm320x240) {
  Take(FormStyle::kMarrowind, {320, 240, 96}, "device_marrowind_320x240");
}

}  // namespace
