#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>

// A text static with SS_ENDELLIPSIS. Its text wraps at word boundaries (a word too long for a
// line breaks anywhere) over as many lines as its height holds; text that does not fit ends in
// "…" on the last line, so a cut value never looks whole. Line breaks in the text start new
// lines; a one-line static shows them as blanks. text() is always the whole text.
class EllipsisStatic : public QLabel {
 public:
  using QLabel::QLabel;

  // The lines shown at the static's present size.
  QStringList ShownLines() const;

  bool hasHeightForWidth() const override { return true; }
  // The height the whole text needs at a width: one line at least.
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The text laid out at `width` over at most `maxLines` lines.
  QStringList Lines(int width, int maxLines) const;
};
