#pragma once

#include <QTabBar>
#include <QWidget>

#include <functional>

// A tab control: a row of tabs over a framed area. It only tells which tab is chosen; the pages
// are windows of their own that the dialog places inside the control and shows or hides when the
// selection changes.
class CTabCtrl : public QWidget {
 public:
  explicit CTabCtrl(QWidget* parent = nullptr);

  // Adds a tab at `index`; returns its index.
  int InsertItem(int index, const QString& text);
  int GetItemCount() const { return tabs_->count(); }
  int GetCurSel() const { return tabs_->currentIndex(); }
  void SetCurSel(int index);
  // The control's client area, in its own coordinates: what the tabs and the frame enclose.
  QRect GetClientRect() const { return rect(); }

  // Called when the user chooses another tab (not when SetCurSel changes it).
  std::function<void()> onSelChange;

  QTabBar* TabBar() const { return tabs_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTabBar* tabs_;
  bool settingSelection_ = false;
};
