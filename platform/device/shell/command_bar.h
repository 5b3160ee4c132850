#pragma once

#include <QToolButton>
#include <QWidget>

#include <functional>
#include <vector>

// The soft-key bar at the bottom of a phone program's main window: the keys of a menu-bar
// resource (resource_module.h), side by side. A key without a pop-up menu sends its command; a
// drop-down key opens its submenu of the bar's menu above itself (through TrackPopupMenu, so
// tests can choose from it) and sends the command chosen. Keys and menu text grow with the
// screen's pixels per inch.
class CCommandBar : public QWidget {
 public:
  explicit CCommandBar(QWidget* parent = nullptr);

  // Puts the keys of menu-bar resource `menuBarId` on the bar. False, and no keys, when the
  // resource or its menu is missing.
  bool InsertMenuBar(int menuBarId);

  // Receives every command of the bar.
  std::function<void(int commandId)> onCommand;

  int KeyCount() const { return static_cast<int>(keys_.size()); }
  QToolButton* Key(int index) const { return keys_.at(index); }

  // The bar's height on the current screen: 26 pixels at 96 pixels per inch.
  static int BarHeight();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PressKey(int index);
  void LayoutKeys();

  int menuId_ = 0;
  std::vector<QToolButton*> keys_;
  std::vector<int> commands_;
  std::vector<int> popups_;
};
