#include "platform/device/shell/dialog_title_row.h"

#include <QPainter>
#include <QToolButton>

#include <algorithm>
#include <utility>

#include "platform/device/shell/phone_bar.h"
#include "platform/device/shell/phone_style.h"

DialogTitleRow::DialogTitleRow(const QString& caption, std::function<void()> onOk, QWidget* parent)
    : QWidget(parent), caption_(caption) {
  StylePhoneBar(this);
  if (!onOk) return;
  okKey_ = NewPhoneBarKey(QStringLiteral("OK"), this);
  connect(okKey_, &QToolButton::clicked, this, std::move(onOk));
}

QSize DialogTitleRow::sizeHint() const { return {0, PhoneBarHeight()}; }

void DialogTitleRow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (okKey_ == nullptr) return;
  // Half the row's height of room on either side of the text: a key a fingertip finds.
  const int keyWidth = fontMetrics().horizontalAdvance(okKey_->text()) + height();
  okKey_->setGeometry(width() - keyWidth, 0, keyWidth, height());
}

void DialogTitleRow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintPhoneBar(painter, *this);
  const int margin = ScaledForPhoneScreen(6);
  const int right = okKey_ != nullptr ? okKey_->x() : width();
  const QRect room(margin, 0, std::max(0, right - 2 * margin), height());
  painter.setPen(Qt::white);
  painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(caption_, Qt::ElideRight, room.width()));
}
