#include "device/frame/color_label.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include "platform/windows/dialog_template.h"

namespace {

// The system font of the phone.
QFont SystemFont() { return DialogFont(QStringLiteral("System"), 10); }

}  // namespace

CColorLabel::CColorLabel(QWidget* parent)
    : QLabel(parent),
      m_crText(QApplication::palette().color(QPalette::WindowText)),
      m_brBkgnd(QApplication::palette().color(QPalette::Button)),
      m_lf(SystemFont()) {
  ReconstructFont();
}

void CColorLabel::SetLabelBkColor(QColor color) { m_brBkgnd = QBrush(color); }

void CColorLabel::SetLabelTextColor(QColor color) {
  m_crText = color;
  update();
}

void CColorLabel::SetLabelFontSize(int size) {
  m_lf.setPixelSize(size);
  ReconstructFont();
  update();
}

void CColorLabel::SetLabelBold(bool bold) {
  m_lf.setWeight(bold ? QFont::Bold : QFont::Normal);
  ReconstructFont();
  update();
}

void CColorLabel::ReconstructFont() { setFont(m_lf); }

void CColorLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), m_brBkgnd);
  painter.setFont(font());
  painter.setPen(m_crText);
  painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextWordWrap, text());
}
