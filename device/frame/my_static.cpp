#include "device/frame/my_static.h"

#include <QPainter>

#include "platform/windows/resources.h"

void CMyStatic::paintEvent(QPaintEvent*) {
  QImage bitmap = LoadBitmap(m_nBitmapId);
  if (bitmap.isNull()) return;
  QPainter painter(this);
  painter.drawImage(rect(), bitmap);
}
