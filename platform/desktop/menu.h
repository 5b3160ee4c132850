#pragma once

#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <memory>

// Menus built from the program's menu resources. Each command's action carries its id as data.

using CommandHandler = std::function<void(int commandId)>;

// Fills a menu bar with menu resource `menuId`; choosing a command calls `onCommand`.
void BuildMenuBar(QMenuBar* bar, int menuId, const CommandHandler& onCommand);

// The first submenu of pop-up menu resource `menuId`, as the views show it; null when there is
// no such menu.
std::unique_ptr<QMenu> LoadPopupMenu(int menuId);

// The action of a command in a menu (searched in its submenus too); null when absent.
QAction* FindCommand(QMenu* menu, int commandId);
