#include "device/frame/image_button.h"

#include <QPainter>

#include "device/frame/scaled_images.h"

void CImageButton::paintEvent(QPaintEvent*) {
  // The frame's owner drawing asks for an edge round the button with flags that name none of its
  // sides, so no edge shows: the images carry their own frame.
  if (images_ == nullptr) return;
  QPainter painter(this);
  images_->Draw(painter, isDown() ? 1 : 0, QPoint(0, 0));
}
