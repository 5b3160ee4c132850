#include "platform/device/shell/phone_screen.h"

#include <QWidget>

#include <gtest/gtest.h>

#include "tests/support/device_testing.h"

namespace {

TEST(PhoneScreenTest, ParsesWidthHeightAndDpi) {
  EXPECT_EQ(ParsePhoneScreen("240x320@96"), (PhoneScreen{240, 320, 96}));
  EXPECT_EQ(ParsePhoneScreen("480x800@192"), (PhoneScreen{480, 800, 192}));
  EXPECT_EQ(ParsePhoneScreen("8192x1@960"), (PhoneScreen{8192, 1, 960}));
  EXPECT_EQ(ParsePhoneScreen("1x8192@48"), (PhoneScreen{1, 8192, 48}));
}

TEST(PhoneScreenTest, RefusesEverythingElse) {
  for (const char* text :
       {"", "240x320", "240x320@", "x320@96", "240X320@96", " 240x320@96", "240x320@96 ",
        "0x320@96", "240x0@96", "240x320@0", "240x320@47", "240x320@961", "8193x320@96",
        "-240x320@96", "240x320@96@96", "99999999999x320@96", "２４０x320@96"}) {
    EXPECT_FALSE(ParsePhoneScreen(QString::fromUtf8(text)).has_value()) << text;
  }
  EXPECT_FALSE(ParsePhoneScreen(QStringLiteral("240x320@96") + QChar(0)).has_value());
}

TEST(PhoneScreenTest, MetricsAndCapsFollowTheScreen) {
  ScopedPhoneScreen screen({480, 640, 131});
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(2), 0);
  EXPECT_EQ(GetScreenDeviceCaps(LOGPIXELSX), 131);
  EXPECT_EQ(GetScreenDeviceCaps(LOGPIXELSY), 131);
  EXPECT_EQ(GetScreenDeviceCaps(HORZRES), 480);
  EXPECT_EQ(GetScreenDeviceCaps(VERTRES), 640);
  EXPECT_EQ(GetScreenDeviceCaps(12), 0);
}

class ScreenWatcher : public QWidget {
 public:
  int changes = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == ScreenChangeEvent::kType) ++changes;
    return QWidget::event(event);
  }
};

TEST(PhoneScreenTest, TurningTheScreenTellsEveryWindowAndCountsAGeneration) {
  ScreenWatcher window;
  int generation = PhoneScreenGeneration();
  {
    ScopedPhoneScreen landscape({320, 240, 96});
    EXPECT_EQ(window.changes, 1);
    EXPECT_EQ(PhoneScreenGeneration(), generation + 1);
    FitToPhoneScreen(&window);
    EXPECT_EQ(window.size(), QSize(320, 240));
  }
  EXPECT_EQ(window.changes, 2);
  EXPECT_EQ(GetPhoneScreen(), PhoneScreen());
}

}  // namespace
