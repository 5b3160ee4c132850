// Scaling for the screen, placing and re-laying controls.

#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <climits>

#include "device/frame/device_dialog.h"
#include "device/frame/dialog_relayout.h"
#include "device/frame/screen_scaling.h"
#include "platform/device/shell/dialog_item.h"
#include "platform/device/shell/resource_module.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"
#include "tests/support/device_testing.h"

namespace {

TEST(MulDivRoundTest, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDivRound(64, 131, 96), 87);  // 87.33
  EXPECT_EQ(MulDivRound(3, 1, 2), 2);       // 1.5
  EXPECT_EQ(MulDivRound(-3, 1, 2), -2);
  EXPECT_EQ(MulDivRound(5, 1, 3), 2);  // 1.67
  EXPECT_EQ(MulDivRound(0, 5, 7), 0);
}

TEST(MulDivRoundTest, NeitherOverflowsNorDividesByZero) {
  EXPECT_EQ(MulDivRound(INT_MAX, 2, 4), INT_MAX / 2 + 1);
  EXPECT_EQ(MulDivRound(INT_MIN, 1, 1), INT_MIN);
  EXPECT_EQ(MulDivRound(100, 5, 0), 0);
}

TEST(ScreenScalingTest, SizesScaleWithThePixelsPerInch) {
  {
    ScopedPhoneScreen screen({240, 320, 96});
    for (int v : {0, 1, 12, 64, 72, 220}) {
      EXPECT_EQ(ScaleX(v), v);
      EXPECT_EQ(ScaleY(v), v);
    }
  }
  {
    ScopedPhoneScreen screen({480, 640, 192});
    EXPECT_EQ(GetLogPixelsX(), 192);
    for (int v : {1, 12, 64, 72, 220}) EXPECT_EQ(ScaleX(v), 2 * v);
  }
  ScopedPhoneScreen screen({320, 426, 131});
  EXPECT_EQ(GetLogPixelsY(), 131);  // the kept value follows a new screen
  EXPECT_EQ(ScaleX(64), 87);
  EXPECT_EQ(ScaleY(64), 87);
}

TEST(ScreenScalingTest, OrientationComesFromTheScreensSides) {
  {
    ScopedPhoneScreen portrait({240, 320, 96});
    EXPECT_EQ(GetScreenOrientation(), 1);
  }
  {
    ScopedPhoneScreen landscape({320, 240, 96});
    EXPECT_EQ(GetScreenOrientation(), -1);
  }
  ScopedPhoneScreen square({240, 240, 96});
  EXPECT_EQ(GetScreenOrientation(), 0);
}

class RelayoutTest : public ::testing::Test {
 protected:
  RelayoutTest() {
    table_.icons = icons_;
    module_ = {&table_, {}, {}, dialogs_};
    InstallResourceModule(&module_);
    window_.setFont(DeviceDialogFont(dialogs_[0]));
    for (int id : {10, 11, -1}) {
      auto* label = new QLabel(QStringLiteral("old"), &window_);
      SetDlgCtrlID(label, id);
    }
  }
  ~RelayoutTest() override { InstallResourceModule(nullptr); }

  QWidget* Control(int id) { return FindDlgItem(&window_, id); }

  const ImageResource icons_[1] = {{128, ":/device/icons/orvanel.svg", 32, 32}};
  const DialogTemplate dialogs_[3] = {
      {.id = 100,
       .cx = 100,
       .cy = 100,
       .fontName = "MS Shell Dlg",
       .pointSize = 8,
       .controls = {{10, ControlKind::kStatic, "first", 4, 8, 40, 10, WS_VISIBLE},
                    {11, ControlKind::kStatic, "", 50, 8, 21, 20, WS_VISIBLE | SS_ICON, 128},
                    {-1, ControlKind::kStatic, "static", 4, 30, 40, 10, WS_VISIBLE}}},
      {.id = 200,
       .cx = 100,
       .cy = 100,
       .fontName = "MS Shell Dlg",
       .pointSize = 8,
       .controls = {{10, ControlKind::kStatic, "first", 60, 2, 40, 10, WS_VISIBLE},
                    {12, ControlKind::kStatic, "missing", 0, 0, 5, 5, WS_VISIBLE},
                    {11, ControlKind::kStatic, "second", 4, 2, 40, 10, WS_VISIBLE}}},
      {.id = 300,
       .cx = 100,
       .cy = 100,
       .fontName = "MS Shell Dlg",
       .pointSize = 8,
       .controls = {{-1, ControlKind::kStatic, "one", 0, 0, 5, 5, WS_VISIBLE},
                    {-1, ControlKind::kStatic, "two", 0, 0, 5, 5, WS_VISIBLE}}},
  };
  ResourceTable table_;
  ResourceModule module_;
  QWidget window_;
};

TEST_F(RelayoutTest, MovesEveryControlToItsTemplatePlaceAndRefreshesIt) {
  // 8-point MS Shell Dlg at 96 pixels per inch: a dialog unit is 6/4 pixels across, 13/8 down.
  EXPECT_EQ(RelayoutDialogFromTemplate(&window_, 100), 1);
  EXPECT_EQ(Control(10)->geometry(), QRect(6, 13, 60, 16));   // 4, 8; 40 x 10 units
  EXPECT_EQ(Control(11)->geometry(), QRect(75, 13, 31, 32));  // 50, 8; 21 x 20 units
  EXPECT_EQ(static_cast<QLabel*>(Control(10))->text(), "first");
  EXPECT_FALSE(static_cast<QLabel*>(Control(11))->pixmap().isNull());
}

TEST_F(RelayoutTest, AMissingControlFailsButTheOthersStillMove) {
  EXPECT_EQ(RelayoutDialogFromTemplate(&window_, 200), 0);
  EXPECT_EQ(Control(10)->geometry(), QRect(90, 3, 60, 16));  // 60, 2; 40 x 10 units
  EXPECT_EQ(Control(11)->geometry(), QRect(6, 3, 60, 16));   // 4, 2; 40 x 10 units
  EXPECT_EQ(static_cast<QLabel*>(Control(11))->text(), "second");
}

TEST_F(RelayoutTest, TwoControlsWithoutIdsOrNoTemplateFail) {
  EXPECT_EQ(RelayoutDialogFromTemplate(&window_, 300), 0);
  EXPECT_EQ(RelayoutDialogFromTemplate(&window_, 400), 0);
}

TEST_F(RelayoutTest, ListsKeepTheirSelection) {
  const DialogTemplate list{
      .id = 500,
      .cx = 100,
      .cy = 100,
      .fontName = "MS Shell Dlg",
      .pointSize = 8,
      .controls = {{20, ControlKind::kListBox, "", 0, 0, 50, 20, WS_VISIBLE}}};
  module_.dialogs = {&list, 1};
  auto* box = new QListWidget(&window_);
  SetDlgCtrlID(box, 20);
  box->addItems({"a", "b", "c"});
  box->setCurrentRow(2);
  EXPECT_EQ(RelayoutDialogFromTemplate(&window_, 500), 1);
  EXPECT_EQ(box->currentRow(), 2);
}

TEST(PlaceDialogControlTest, MovesTheChildWithTheIdOrNothing) {
  QWidget parent;
  auto* child = new QWidget(&parent);
  SetDlgCtrlID(child, 1001);
  PlaceDialogControl(1001, &parent, RectFromEdges(10, 43, 74, 107));
  EXPECT_EQ(child->geometry(), QRect(10, 43, 64, 64));
  PlaceDialogControl(1002, &parent, QRect(0, 0, 5, 5));
  EXPECT_EQ(child->geometry(), QRect(10, 43, 64, 64));
}

}  // namespace
