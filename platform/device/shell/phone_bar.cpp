#include "platform/device/shell/phone_bar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>

#include "platform/device/shell/phone_style.h"

namespace {

const QColor kBarTop(0x3c, 0x5a, 0x82);
const QColor kBarBottom(0x1e, 0x32, 0x50);

}  // namespace

int PhoneBarHeight() { return ScaledForPhoneScreen(26); }

void StylePhoneBar(QWidget* bar) {
  bar->setFixedHeight(PhoneBarHeight());
  QFont keyFont = bar->font();
  keyFont.setBold(true);
  keyFont.setPixelSize(ScaledForPhoneScreen(13));
  bar->setFont(keyFont);
}

QToolButton* NewPhoneBarKey(const QString& text, QWidget* bar) {
  auto* key = new QToolButton(bar);
  key->setText(text);
  key->setAutoRaise(true);
  key->setStyleSheet(
      QStringLiteral("QToolButton { color: white; border: none; background: transparent; }"
                     "QToolButton:pressed { background: rgba(255, 255, 255, 60); }"));
  return key;
}

void PaintPhoneBar(QPainter& painter, const QWidget& bar) {
  QLinearGradient gradient(0, 0, 0, bar.height());
  gradient.setColorAt(0, kBarTop);
  gradient.setColorAt(1, kBarBottom);
  painter.fillRect(bar.rect(), gradient);
}
