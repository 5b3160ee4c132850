#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

struct MenuItemTemplate;

// Menu item flags, with the platform's values.
inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_GRAYED = 0x0001;
inline constexpr unsigned MF_DISABLED = 0x0002;
inline constexpr unsigned MF_CHECKED = 0x0008;
inline constexpr unsigned MF_POPUP = 0x0010;
inline constexpr unsigned MF_OWNERDRAW = 0x0100;
inline constexpr unsigned MF_RADIOCHECK = 0x0200;
inline constexpr unsigned MF_BYPOSITION = 0x0400;
inline constexpr unsigned MF_SEPARATOR = 0x0800;

// States of an owner-drawn item.
inline constexpr unsigned ODS_SELECTED = 0x0001;
inline constexpr unsigned ODS_GRAYED = 0x0002;
inline constexpr unsigned ODS_DISABLED = 0x0004;
inline constexpr unsigned ODS_CHECKED = 0x0008;

// Owner-drawn control type of a menu item.
inline constexpr unsigned ODT_MENU = 1;

// Answers to a menu-character query: ignore the key, or choose the item at the position in the
// low word.
inline constexpr int MNC_IGNORE = 0;
inline constexpr int MNC_EXECUTE = 2;

// Pictures of menu items, drawn transparently where they show the picture key colour.
using OmbraImageList = QList<QPixmap>;

// What the menu keeps of one item.
struct OmbraMenuData {
  QString text;  // null for none
  int pictureIndex = -1;
  int sharedPictureIndex = -1;  // position of the command id in the program's picture-id list
  int reserved = 0;
  int listPictureIndex = -1;  // the item's picture in its own image list
  unsigned flags = 0;         // MF_*
  quintptr commandId = 0;     // the command id, or a popup item's menu handle
  int seen = 0;               // matched while the records are read again from the menu
  std::unique_ptr<OmbraImageList> imageList;
  int spare = 0;
};

// An item to draw: where, in which state, and its record.
struct DrawItemStruct {
  QPainter* dc;
  QRect rcItem;
  unsigned itemState;  // ODS_*
  const OmbraMenuData* itemData;
};

// An item to measure; the menu fills in its width and height.
struct MeasureItemStruct {
  unsigned CtlType;  // ODT_MENU for a menu item
  quintptr itemID;   // the item's command id, or the menu handle of a popup
  int itemWidth;
  int itemHeight;
  const OmbraMenuData* itemData;
};

// The system version as the version query reports it.
struct SystemVersion {
  bool nt;  // the NT line, else the older line of systems
  int major;
  int minor;
  bool readable = true;  // false when the version record for the details could not be had
};

// Which system the menu draws for: 0 old non-NT; 2, 3 (4.10), 4 (4.90) the later non-NT systems;
// 5 NT 4; 6 NT 5.0; 7 NT 5.1 (the one with the flat look); 1 every other NT version.
int ClassifyWindowsVersion(const SystemVersion& version);
// True when the current theme file is the classic theme ("...Windows Classic.theme", any case).
bool IsClassicThemeFile(const QString& themeFile);
// Each channel moved the fraction x (0 < x <= 1) of the way to white.
QColor Lighten(const QColor& color, double x);

// An off-screen buffer for painting one rectangle of a target: drawing goes to the buffer, which
// is copied to the target when this goes away. A printer is drawn on directly.
class OmbraMenuMemDC {
 public:
  OmbraMenuMemDC(QPainter* target, const QRect& rect);
  ~OmbraMenuMemDC();
  OmbraMenuMemDC(const OmbraMenuMemDC&) = delete;
  OmbraMenuMemDC& operator=(const OmbraMenuMemDC&) = delete;

  QPainter* operator->() { return painter_; }
  QPainter& operator*() { return *painter_; }

 private:
  QPainter* target_;
  QRect rect_;
  QImage buffer_;
  std::optional<QPainter> bufferPainter_;
  QPainter* painter_;
};

// A menu that draws its items itself, in the classic look or the flat look of the system
// version 5.1 themes. It builds itself from a menu resource, keeps a record per item, and
// answers the menu-character and measure-item questions for the popups it made.
class OmbraMenu {
 public:
  OmbraMenu();
  virtual ~OmbraMenu();
  OmbraMenu(const OmbraMenu&) = delete;
  OmbraMenu& operator=(const OmbraMenu&) = delete;

  virtual void DrawItem(DrawItemStruct* lpDrawItemStruct);
  virtual void MeasureItem(MeasureItemStruct* lpMeasureItemStruct);
  // Replaces the menu with menu resource `nIDResource` (or "#id"); false when there is none.
  virtual bool LoadMenu(int nIDResource);
  virtual bool LoadMenu(const QString& lpszResourceName);
  // Empties the menu; may run any number of times.
  virtual void DestroyMenu();

  // Appends an owner-drawn item: id 0 makes a separator.
  bool AppendODMenu(const QString& text, unsigned flags, quintptr commandId);
  // Appends a popup item that shows `popup`, which this menu then owns.
  bool AppendODPopup(const QString& text, unsigned flags, std::unique_ptr<OmbraMenu> popup);

  // The menu handle; null until the menu is loaded or filled.
  QMenu* GetMenu() const { return m_hMenu.get(); }
  const std::vector<std::unique_ptr<OmbraMenuData>>& Records() const { return m_MenuList; }

  // The answer to a key typed while popup `menu` is open: MNC_EXECUTE in the high word with the
  // position of the first item whose text holds "&" and the key, or MNC_IGNORE.
  static int FindKeyboardShortcut(unsigned nChar, unsigned nFlags, QMenu* menu);
  // True when `menu` is a popup made by an OmbraMenu and not yet destroyed.
  static bool IsMenu(const QMenu* menu);
  static bool IsMenu(quintptr handle);

  // The version class of the system, set at program start.
  static int s_nVersionClass;

  int m_iconX = 16;  // size of item pictures and of the picture column
  int m_iconY = 15;
  QColor m_bitmapBackground{192, 192, 192};     // the picture key colour
  std::array<int, 2> m_checkMarkIds{-1, -1};    // pictures of checked and unchecked marks
  std::shared_ptr<OmbraImageList> m_checkMaps;  // shared with the popups LoadMenu makes

 private:
  class Popup;
  class MeasuringStyle;

  void LoadItems(const std::vector<MenuItemTemplate>& items);
  bool AppendRecord(const QString& text, unsigned flags, quintptr commandId, QAction* action);
  void AlignAccelerators();
  void RereadRecords();
  bool UsesXpLook() const;
  const QPixmap* ItemPicture(const OmbraMenuData& item) const;
  const QPixmap* CheckMarkPicture() const;
  void DrawPicture(QPainter& dc, const QPixmap& picture, QPoint at, bool disabled) const;
  void DrawCheckMark(QPainter& dc, const OmbraMenuData& item, QRect box, const QColor& color) const;
  QRect PictureBox(const QRect& item) const;
  void DrawItemClassic(const DrawItemStruct& dis);
  void DrawItemXp(const DrawItemStruct& dis);

  std::unique_ptr<QMenu> m_hMenu;
  std::vector<std::unique_ptr<OmbraMenuData>> m_MenuList;  // one per item, in menu order
  std::vector<std::unique_ptr<OmbraMenu>> m_SubMenus;      // the popups this menu made
};
