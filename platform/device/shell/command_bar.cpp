#include "platform/device/shell/command_bar.h"

#include <QEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

#include "platform/device/shell/phone_bar.h"
#include "platform/device/shell/phone_style.h"
#include "platform/device/shell/resource_module.h"
#include "platform/windows/menu.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/resources.h"

namespace {

// The phone's screen in global coordinates: the main window, which has the screen's size.
QRect ScreenRect(const QWidget* key) {
  const QWidget* mainWindow = AfxGetMainWnd();
  return (mainWindow != nullptr ? mainWindow : key->window())->geometry();
}

// Keeps a submenu inside the phone's screen as it shows. The platform opens a submenu beside its
// parent menu and turns it round only at the edge of the computer's screen: on the phone it
// opens to the left of its parent where the right would leave the screen, and never below it.
class SubmenuPlacement : public QObject {
 public:
  SubmenuPlacement(QMenu* parentMenu, QRect screen) : QObject(parentMenu), screen_(screen) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) Place(static_cast<QMenu*>(watched));
    return false;
  }

 private:
  void Place(QMenu* submenu) {
    QRect shown = submenu->geometry();
    if (shown.right() > screen_.right()) {
      shown.moveRight(static_cast<QWidget*>(parent())->geometry().left() - 1);
    }
    if (shown.bottom() > screen_.bottom()) shown.moveBottom(screen_.bottom());
    shown.moveLeft(std::max(shown.left(), screen_.left()));
    shown.moveTop(std::max(shown.top(), screen_.top()));
    submenu->move(shown.topLeft());
  }

  QRect screen_;
};

// Gives a pop-up menu and its submenus, which are windows of their own and so do not inherit
// it, the font for the screen, and keeps the submenus inside the screen.
void FitMenuToScreen(QMenu* menu, const QFont& font, QRect screen) {
  menu->setFont(font);
  for (QAction* action : menu->actions()) {
    if (QMenu* submenu = action->menu()) {
      submenu->installEventFilter(new SubmenuPlacement(menu, screen));
      FitMenuToScreen(submenu, font, screen);
    }
  }
}

}  // namespace

CCommandBar::CCommandBar(QWidget* parent) : QWidget(parent) { StylePhoneBar(this); }

int CCommandBar::BarHeight() { return PhoneBarHeight(); }

bool CCommandBar::InsertMenuBar(int menuBarId) {
  const MenuBarResource* bar = FindMenuBar(menuBarId);
  if (bar == nullptr || FindMenu(bar->menuId) == nullptr) return false;
  menuId_ = bar->menuId;
  for (const SoftKeyTemplate& key : bar->keys) {
    QToolButton* button = NewPhoneBarKey(LoadString(key.textId), this);
    button->setEnabled(key.state & TBSTATE_ENABLED);
    int index = static_cast<int>(keys_.size());
    connect(button, &QToolButton::clicked, this, [this, index] { PressKey(index); });
    keys_.push_back(button);
    commands_.push_back(key.command);
    popups_.push_back((key.style & TBSTYLE_DROPDOWN) ? key.popupIndex : NOMENU);
  }
  LayoutKeys();
  return true;
}

void CCommandBar::PressKey(int index) {
  int command = commands_[index];
  if (popups_[index] != NOMENU) {
    std::unique_ptr<QMenu> menu = LoadPopupMenu(menuId_, popups_[index]);
    if (menu == nullptr) return;
    QFont menuFont = menu->font();
    menuFont.setPixelSize(ScaledForPhoneScreen(12));
    QToolButton* key = keys_[index];
    FitMenuToScreen(menu.get(), menuFont, ScreenRect(key));
    QSize size = menu->sizeHint();
    QPoint topRight = key->mapToGlobal(QPoint(key->width(), 0));
    command = TrackPopupMenu(menu.get(), topRight - QPoint(size.width(), size.height()));
  }
  if (command != 0 && onCommand) onCommand(command);
}

void CCommandBar::LayoutKeys() {
  if (keys_.empty()) return;
  int count = static_cast<int>(keys_.size());
  for (int i = 0; i < count; ++i) {
    int left = width() * i / count;
    int right = width() * (i + 1) / count;
    keys_[i]->setGeometry(left, 0, right - left, height());
  }
}

void CCommandBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutKeys();
}

void CCommandBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPhoneBar(painter, *this);
  painter.setPen(QColor(255, 255, 255, 70));
  for (int i = 1; i < KeyCount(); ++i) {
    int x = width() * i / KeyCount();
    painter.drawLine(x, height() / 5, x, height() - height() / 5);
  }
}
