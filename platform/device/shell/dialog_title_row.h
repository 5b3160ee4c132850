#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QToolButton;

// The row across the top of a full-screen phone dialog, where a computer's window manager would
// draw a title bar and the phone draws none: the dialog's caption at the left and, for a dialog
// the user closes, an "OK" key at the right, as the phone's own dialogs have. The dialog covers
// the soft-key bar and a phone has no Enter or Escape key, so the key is how a finger closes it.
// The caption is cut short with "..." where the key leaves no room for the whole of it. The row
// has a bar's look and height (phone_bar.h).
class DialogTitleRow : public QWidget {
 public:
  // `onOk` runs when the OK key is pressed; without it the row shows no key.
  DialogTitleRow(const QString& caption, std::function<void()> onOk, QWidget* parent = nullptr);

  // The OK key; null when the row has none.
  QToolButton* OkKey() const { return okKey_; }

  // A bar's height on the current screen.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString caption_;
  QToolButton* okKey_ = nullptr;
};
