#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <span>
#include <vector>

// Resource ids (icons, bitmaps, cursors, strings, menus) of a program, mapped to its own artwork
// compiled in with Qt's resource system. Each program installs its table at start-up.

struct ImageResource {
  int id;
  const char* path;  // Qt resource path of the SVG or PNG
  int width;         // native size in pixels
  int height;
  int hotSpotX = 0;  // cursors only
  int hotSpotY = 0;
  QRgb background = 0xFFFFFF;  // bitmaps only: what shows where the artwork draws nothing
};

// The background of bitmaps whose users draw them transparently.
inline constexpr QRgb kMagentaKey = 0xFF00FF;

struct StringResource {
  int id;
  const char* text;
};

// A menu item: a command (id and text), a submenu (text and items) or a separator (no text).
struct MenuItemTemplate {
  int id = 0;
  QString text;
  std::vector<MenuItemTemplate> items;

  bool IsSeparator() const { return text.isEmpty(); }
  bool IsSubmenu() const { return !items.empty(); }
};

struct MenuResource {
  int id;
  std::vector<MenuItemTemplate> items;  // the top-level items
};

struct ResourceTable {
  std::span<const ImageResource> icons;
  std::span<const ImageResource> bitmaps;
  std::span<const ImageResource> cursors;
  std::span<const StringResource> strings;
  std::span<const MenuResource> menus;
};

void InstallResourceTable(const ResourceTable* table);

// An icon; null when the id names no icon.
QIcon LoadIcon(int id);
// The icon's native size (32 x 32 for the program's icons); empty when there is none.
QSize IconSize(int id);
// The icon drawn at `size`; null when the id names no icon.
QPixmap LoadIconPixmap(int id, QSize size);
// A bitmap rendered at its native size, opaque; null when the id names no bitmap. Where the
// artwork draws nothing the bitmap shows its background, the magenta key for bitmaps that are
// drawn transparently. Edges are hard: a pixel is either artwork or background, so no blend of
// the key colour fringes the picture.
// With a size, the bitmap is drawn at that size instead (the artwork stretched to fill it).
QImage LoadBitmap(int id, QSize size = QSize());
// A cursor; the arrow when the id names none. `found` tells which.
QCursor LoadCursor(int id, bool* found = nullptr);
// A string; empty when the id names none.
QString LoadString(int id);
// A menu; null when the id names none.
const MenuResource* FindMenu(int id);
