#pragma once

#include <QPlainTextEdit>

// A multi-line edit box whose typing limit holds for what the user types, pastes or drops, but
// never cuts text the program puts into it.
class MultiLineEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  void SetTypingLimit(int count) { limit_ = count; }
  int TypingLimit() const { return limit_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Characters the user may still add, counting the selection that the input replaces.
  int Room() const;

  int limit_ = -1;  // -1: no limit
};
