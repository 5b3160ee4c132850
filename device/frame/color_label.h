#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLabel>

// A text label with its own background colour, text colour and font. It starts with the
// system's window-text colour on the button-face colour in the system font, and swallows mouse
// presses.
class CColorLabel : public QLabel {
 public:
  explicit CColorLabel(QWidget* parent = nullptr);

  // The new background shows at the next repaint.
  void SetLabelBkColor(QColor color);
  void SetLabelTextColor(QColor color);
  // Character height in pixels.
  void SetLabelFontSize(int size);
  void SetLabelBold(bool bold);

  QColor TextColor() const { return m_crText; }
  QColor BkColor() const { return m_brBkgnd.color(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent*) override {}

 private:
  void ReconstructFont();

  QColor m_crText;
  QBrush m_brBkgnd;
  QFont m_lf;  // the font's description: height, weight and the rest
};
