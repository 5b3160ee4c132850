// Pictures of the main window in each form style, on small, landscape and large screens: what
// they must show, and a copy in the test output to look at.

#include <gtest/gtest.h>

#include "device/frame/device_view.h"
#include "platform/device/shell/dialog_item.h"
#include "tests/device/frame/frame_testing.h"

namespace {

class ScreenshotTest : public FrameTest {};

TEST_F(ScreenshotTest, TheMainWindowShowsItsFormOverTheSoftKeyBar) {
  struct Case {
    FormStyle style;
    PhoneScreen screen;
    std::vector<int> drawn;  // the program's name, the first separator, the first button
    const char* name;
  };
  const Case cases[] = {
      {FormStyle::kSkeldra, {240, 320, 96}, {1014, 1042, 1027}, "device_skeldra_240x320"},
      {FormStyle::kSkeldra, {480, 800, 192}, {1014, 1042, 1027}, "device_skeldra_480x800"},
      {FormStyle::kMarrowind, {240, 320, 96}, {1018, 1019, 1001}, "device_marrowind_240x320"},
      {FormStyle::kMarrowind, {480, 800, 192}, {1018, 1019, 1001}, "device_marrowind_480x800"},
      {FormStyle::kMarrowind, {320, 240, 96}, {1018, 1019, 1001}, "device_marrowind_320x240"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frame_.reset();
    Start(c.style, c.screen);
    std::vector<QRect> drawn;
    for (int id : c.drawn) drawn.push_back(RectInWindow(FindDlgItem(Frame().View(), id), &Frame()));
    drawn.back().adjust(3, 3, -3, -3);  // inside the button's edge: its image
    ExpectMainWindowPicture(&Frame(), c.screen, drawn);
    SaveScreenshot(&Frame(), c.name);
  }
}

}  // namespace
