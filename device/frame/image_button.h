#pragma once

#include <QAbstractButton>

class CImageList;

// An owner-drawn button of the main form: image 0 of its image list at rest, image 1 while it is
// pressed, drawn at its top-left corner. Without an image list it draws nothing.
class CImageButton : public QAbstractButton {
 public:
  explicit CImageButton(QWidget* parent = nullptr) : QAbstractButton(parent) {}

  // The list stays its owner's; null removes the images.
  void SetImageList(const CImageList* images) {
    images_ = images;
    update();
  }
  const CImageList* ImageList() const { return images_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const CImageList* images_ = nullptr;
};
