#pragma once

#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <memory>

// Menus built from the program's menu resources. Each command's action carries its id as data.

using CommandHandler = std::function<void(int commandId)>;

// Fills a menu bar with menu resource `menuId`; choosing a command calls `onCommand`.
void BuildMenuBar(QMenuBar* bar, int menuId, const CommandHandler& onCommand);

// Submenu `index` (the first by default, as the views show it) of menu resource `menuId`; null
// when there is no such menu or submenu.
std::unique_ptr<QMenu> LoadPopupMenu(int menuId, int index = 0);

// The action of a command in a menu (searched in its submenus too); null when absent.
QAction* FindCommand(QMenu* menu, int commandId);
