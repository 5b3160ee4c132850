#include "platform/device/shell/phone_screen.h"

#include <QApplication>
#include <QRegularExpression>
#include <QWidget>

#include <cstdio>

#include "platform/windows/modal_service.h"

namespace {

struct ScreenState {
  PhoneScreen screen;
  int generation = 0;
};

PhoneScreen ScreenFromEnvironment() {
  if (!qEnvironmentVariableIsSet(kPhoneScreenVariable)) return PhoneScreen();
  QString text = qEnvironmentVariable(kPhoneScreenVariable);
  if (std::optional<PhoneScreen> screen = ParsePhoneScreen(text)) return *screen;
  std::fprintf(stderr, "%s=\"%s\" is not WxH@DPI (for example 480x800@192); using 240x320@96\n",
               kPhoneScreenVariable, qPrintable(text.left(64)));
  return PhoneScreen();
}

ScreenState& State() {
  static ScreenState state{ScreenFromEnvironment()};
  return state;
}

}  // namespace

const QEvent::Type ScreenChangeEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());

std::optional<PhoneScreen> ParsePhoneScreen(const QString& text) {
  static const QRegularExpression kPattern(QStringLiteral("^(\\d{1,4})x(\\d{1,4})@(\\d{1,3})$"));
  QRegularExpressionMatch match = kPattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  PhoneScreen screen{match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt()};
  bool sizeOk =
      screen.width >= 1 && screen.width <= 8192 && screen.height >= 1 && screen.height <= 8192;
  bool dpiOk = screen.dpi >= 48 && screen.dpi <= 960;
  if (!sizeOk || !dpiOk) return std::nullopt;
  return screen;
}

const PhoneScreen& GetPhoneScreen() { return State().screen; }

void SetPhoneScreen(const PhoneScreen& screen) {
  State().screen = screen;
  ++State().generation;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    ScreenChangeEvent event;
    QApplication::sendEvent(window, &event);
  }
}

int PhoneScreenGeneration() { return State().generation; }

void FitToPhoneScreen(QWidget* window) {
  const PhoneScreen& screen = GetPhoneScreen();
  window->setFixedSize(screen.width, screen.height);
  QWidget* mainWindow = AfxGetMainWnd();
  if (mainWindow != nullptr && mainWindow != window) window->move(mainWindow->pos());
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return GetPhoneScreen().width;
    case SM_CYSCREEN:
      return GetPhoneScreen().height;
    default:
      return 0;
  }
}

int GetScreenDeviceCaps(int index) {
  switch (index) {
    case HORZRES:
      return GetPhoneScreen().width;
    case VERTRES:
      return GetPhoneScreen().height;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return GetPhoneScreen().dpi;
    default:
      return 0;
  }
}
