#include "platform/windows/menu.h"

#include "platform/windows/resources.h"

namespace {

void AddItems(QMenu* menu, const std::vector<MenuItemTemplate>& items) {
  for (const MenuItemTemplate& item : items) {
    if (item.IsSubmenu()) {
      AddItems(menu->addMenu(item.text), item.items);
    } else if (item.IsSeparator()) {
      menu->addSeparator();
    } else {
      menu->addAction(item.text)->setData(item.id);
    }
  }
}

}  // namespace

void BuildMenuBar(QMenuBar* bar, int menuId, const CommandHandler& onCommand) {
  const MenuResource* resource = FindMenu(menuId);
  if (resource == nullptr) return;
  for (const MenuItemTemplate& item : resource->items) {
    if (item.IsSubmenu()) {
      AddItems(bar->addMenu(item.text), item.items);
    } else {
      bar->addAction(item.text)->setData(item.id);
    }
  }
  QObject::connect(bar, &QMenuBar::triggered, bar, [onCommand](QAction* action) {
    if (action->data().toInt() != 0) onCommand(action->data().toInt());
  });
}

std::unique_ptr<QMenu> LoadPopupMenu(int menuId, int index) {
  const MenuResource* resource = FindMenu(menuId);
  if (resource == nullptr || index < 0 || index >= static_cast<int>(resource->items.size())) {
    return nullptr;
  }
  auto menu = std::make_unique<QMenu>();
  AddItems(menu.get(), resource->items[index].items);
  return menu;
}

QAction* FindCommand(QMenu* menu, int commandId) {
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      if (QAction* found = FindCommand(action->menu(), commandId)) return found;
    } else if (action->data().toInt() == commandId) {
      return action;
    }
  }
  return nullptr;
}
