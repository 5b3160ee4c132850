#include "device/frame/screen_scaling.h"

#include <cstdint>
#include <cstdlib>

#include "platform/device/shell/phone_screen.h"

namespace {

// A capability read once for each screen the emulator has had.
class CachedCaps {
 public:
  explicit CachedCaps(int index) : index_(index) {}
  int Get() {
    if (generation_ != PhoneScreenGeneration()) {
      value_ = GetScreenCaps(index_);
      generation_ = PhoneScreenGeneration();
    }
    return value_;
  }

 private:
  int index_;
  int value_ = 0;
  int generation_ = -1;
};

}  // namespace

int MulDivRound(int a, int b, int c) {
  if (c == 0) return 0;
  std::int64_t magnitude = (std::llabs(std::int64_t{a}) * b + c / 2) / c;
  return static_cast<int>(a < 0 ? -magnitude : magnitude);
}

int GetScreenCaps(int index) { return GetScreenDeviceCaps(index); }

int GetLogPixelsX() {
  static CachedCaps caps(LOGPIXELSX);
  return caps.Get();
}

int GetLogPixelsY() {
  static CachedCaps caps(LOGPIXELSY);
  return caps.Get();
}

int ScaleX(int value) { return (GetLogPixelsX() * value + 48) / 96; }

int ScaleY(int value) { return (GetLogPixelsY() * value + 48) / 96; }

int GetScreenOrientation() {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (width < height) return 1;
  if (width > height) return -1;
  return 0;
}
