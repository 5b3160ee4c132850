#pragma once

#include <span>
#include <vector>

#include "platform/windows/dialog_template.h"
#include "platform/windows/resources.h"

// A phone program's resources: the icons, bitmaps, strings and menus of its ResourceTable, and
// what only the phone has: the menu-bar resources of its soft-key bar, the pixels per metre its
// bitmaps declare, and its dialog templates. Each program installs its module at start-up;
// InstallResourceModule installs the table for LoadBitmap, LoadString and the rest as well.

// A soft key of a menu-bar resource.
inline constexpr int I_IMAGENONE = -2;  // no image
inline constexpr unsigned TBSTATE_ENABLED = 0x04;
inline constexpr unsigned TBSTYLE_DROPDOWN = 0x08;  // the key opens a pop-up menu
inline constexpr unsigned TBSTYLE_AUTOSIZE = 0x10;
inline constexpr int NOMENU = 0xFFFF;  // the key has no pop-up menu

struct SoftKeyTemplate {
  int image;       // I_IMAGENONE
  int command;     // sent when the key is pressed (keys without a pop-up menu)
  unsigned state;  // TBSTATE_*
  unsigned style;  // TBSTYLE_*
  int textId;      // string resource of the key's text
  int popupIndex;  // submenu of the bar's menu that the key opens, or NOMENU
};

// The soft-key bar's resource: a menu and, left to right, its keys.
struct MenuBarResource {
  int id;
  int menuId;
  std::vector<SoftKeyTemplate> keys;
};

// The resolution a bitmap declares, in pixels per metre (3780 is 96 pixels per inch). A bitmap
// without an entry declares 0.
struct BitmapResolution {
  int id;
  int pelsPerMeterX;
  int pelsPerMeterY;
};

struct ResourceModule {
  const ResourceTable* table = nullptr;
  std::span<const MenuBarResource> menuBars;
  std::span<const BitmapResolution> bitmapResolutions;
  std::span<const DialogTemplate> dialogs;
};

// Installs the module (it must outlive its use) and its table; null uninstalls both.
void InstallResourceModule(const ResourceModule* module);
const ResourceModule* AfxGetResourceHandle();

// Null when the installed module has no such resource.
const MenuBarResource* FindMenuBar(int id);
const DialogTemplate* FindDialogTemplate(int id);
// True when the module has a bitmap of that id; `x` and `y` receive the pixels per metre it
// declares (0 when it declares none).
bool FindBitmapResolution(int bitmapId, int* pelsPerMeterX, int* pelsPerMeterY);
