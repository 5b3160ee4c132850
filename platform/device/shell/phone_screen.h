#pragma once

#include <QEvent>
#include <QString>

#include <optional>

class QWidget;

// The emulated phone's screen: its size in pixels and its pixels per inch. The environment
// variable PHONE_SCREEN chooses it as "WxH@DPI" (for example "480x800@192"); unset, the screen is
// 240x320@96. The program's main window and its full-screen dialogs have the screen's size.
//
// The screen is read and changed on the UI thread only.

struct PhoneScreen {
  int width = 240;
  int height = 320;
  int dpi = 96;
  bool operator==(const PhoneScreen&) const = default;
};

inline constexpr char kPhoneScreenVariable[] = "PHONE_SCREEN";

// "WxH@DPI" with a width and height of 1 to 8192 pixels and 48 to 960 pixels per inch; nothing
// for any other text.
std::optional<PhoneScreen> ParsePhoneScreen(const QString& text);

// The screen: read from PHONE_SCREEN on first use. A value that is not "WxH@DPI" is reported on
// standard error and the default screen is used.
const PhoneScreen& GetPhoneScreen();

// Replaces the screen, as turning the phone between portrait and landscape does (tests also use
// it to try other screens). Every top-level window then receives a ScreenChangeEvent.
void SetPhoneScreen(const PhoneScreen& screen);

// Grows by one with every SetPhoneScreen, so values derived from the screen know when to
// compute themselves again.
int PhoneScreenGeneration();

// Sent to every top-level window after the screen has changed.
class ScreenChangeEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  ScreenChangeEvent() : QEvent(kType) {}
};

// Gives a window the screen's size, placed over the program's main window when there is one.
void FitToPhoneScreen(QWidget* window);

// System metrics of the screen.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
// Width or height of the screen in pixels; 0 for other indexes.
int GetSystemMetrics(int index);

// Capabilities of the screen's device context.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
// The value of a capability; 0 for indexes the screen does not answer.
int GetScreenDeviceCaps(int index);
