#include "platform/windows/ellipsis_static.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <climits>

namespace {

// The text with every line break (LF, CR LF or CR) as the layout's own line separator.
QString WithLineSeparators(QString text) {
  text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  text.replace(QLatin1Char('\r'), QChar::LineSeparator);
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  return text;
}

QString WithoutTrailingBlanks(QString line) {
  while (!line.isEmpty() && (line.back().isSpace() || line.back() == QChar::LineSeparator)) {
    line.chop(1);
  }
  return line;
}

}  // namespace

QStringList EllipsisStatic::Lines(int width, int maxLines) const {
  // A line of `width` pixels holds at most `width` characters: a longer text (a note of a
  // megabyte, say) is laid out no further than the lines shown can reach.
  qsizetype reach = maxLines == INT_MAX ? -1 : qsizetype(maxLines) * std::max(width, 1) + 1;
  const QString text = WithLineSeparators(this->text().left(reach));
  QStringList lines;
  if (text.isEmpty()) return lines;
  QTextLayout layout(text, font());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    if (static_cast<int>(lines.size()) + 1 == maxLines) {
      QString rest = text.mid(line.textStart()).replace(QChar::LineSeparator, QLatin1Char(' '));
      lines << fontMetrics().elidedText(WithoutTrailingBlanks(rest), Qt::ElideRight, width);
      break;
    }
    lines << WithoutTrailingBlanks(text.mid(line.textStart(), line.textLength()));
  }
  layout.endLayout();
  return lines;
}

QStringList EllipsisStatic::ShownLines() const {
  QRect area = contentsRect();
  return Lines(area.width(), std::max(1, area.height() / fontMetrics().lineSpacing()));
}

int EllipsisStatic::heightForWidth(int width) const {
  int lines = std::max<int>(1, static_cast<int>(Lines(width, INT_MAX).size()));
  return lines * fontMetrics().lineSpacing();
}

void EllipsisStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  QRect line = contentsRect();
  line.setHeight(fontMetrics().lineSpacing());
  Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
  for (const QString& text : ShownLines()) {
    painter.drawText(line, horizontal | Qt::AlignTop | Qt::TextSingleLine, text);
    line.translate(0, line.height());
  }
}
