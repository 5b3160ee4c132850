#include "platform/device/shell/phone_style.h"

#include <QApplication>

#include "platform/device/shell/phone_screen.h"
#include "platform/windows/dialog_template.h"

int PhoneStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                            const QWidget* widget) const {
  return ScaledForPhoneScreen(QProxyStyle::pixelMetric(metric, option, widget));
}

void UsePhoneStyle() {
  if (dynamic_cast<PhoneStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new PhoneStyle());
  }
}

int ScaledForPhoneScreen(int pixelsAt96) {
  if (pixelsAt96 < 0) return pixelsAt96;
  return (pixelsAt96 * GetPhoneScreen().dpi + 48) / 96;
}

QFont PhoneFont(const QString& family, int pointSize) {
  QFont font = DialogFont(family, pointSize);
  font.setPixelSize((pointSize * GetPhoneScreen().dpi + 36) / 72);
  return font;
}

QFont PhoneDialogFont() { return PhoneFont(QStringLiteral("MS Shell Dlg"), 8); }
