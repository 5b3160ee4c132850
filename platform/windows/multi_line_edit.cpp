#include "platform/windows/multi_line_edit.h"

#include <QKeyEvent>
#include <QMimeData>

int MultiLineEdit::Room() const {
  if (limit_ < 0) return INT_MAX;
  qsizetype used = toPlainText().size() - textCursor().selectedText().size();
  return std::max<int>(0, limit_ - static_cast<int>(used));
}

void MultiLineEdit::keyPressEvent(QKeyEvent* event) {
  bool adds = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
              (!event->text().isEmpty() && event->text().at(0).isPrint());
  if (adds && Room() < event->text().size() + (event->text().isEmpty() ? 1 : 0)) return;
  QPlainTextEdit::keyPressEvent(event);
}

void MultiLineEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  QString text = source->text().left(Room());
  if (!text.isEmpty()) textCursor().insertText(text);
}
