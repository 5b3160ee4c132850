#pragma once

#include <QLabel>

// A static that paints one bitmap resource stretched over its whole rectangle; nothing while it
// has no bitmap (id 0) or the bitmap is missing.
class CMyStatic : public QLabel {
 public:
  explicit CMyStatic(QWidget* parent = nullptr) : QLabel(parent) {}

  // The next paint uses bitmap `id`.
  void SetBitmapId(int id) { m_nBitmapId = id; }
  int BitmapId() const { return m_nBitmapId; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_nBitmapId = 0;
};
