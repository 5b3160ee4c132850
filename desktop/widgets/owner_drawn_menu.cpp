#include "desktop/widgets/owner_drawn_menu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QOperatingSystemVersion>
#include <QPaintEvent>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include <algorithm>

#include "platform/windows/modal_service.h"
#include "platform/windows/resources.h"

namespace {

// ---- What the platform answers ---------------------------------------------------------------

// The version query. A system that is not Windows answers as the current NT desktop (10.0).
SystemVersion CurrentSystemVersion() {
  QOperatingSystemVersion system = QOperatingSystemVersion::current();
  if (system.type() == QOperatingSystemVersion::Windows) {
    return {true, system.majorVersion(), system.minorVersion()};
  }
  return {true, 10, 0};
}

// The current user's theme file. This platform keeps no theme setting, which reads as no value.
QString CurrentThemeFile() { return QString(); }

// Asked once, then kept for the life of the program.
bool IsClassicTheme() {
  static const bool classic = IsClassicThemeFile(CurrentThemeFile());
  return classic;
}

// The width of a menu check mark (13 pixels at 96 dpi): the room the system adds to the width of
// every owner-drawn item, where it draws a submenu's arrow.
constexpr int kCheckMarkWidth = 13;

QFont MenuFont() { return QApplication::font("QMenu"); }

// The height of a one-line menu bar: the menu font's line and two pixels above and below it.
int MenuBarHeight() { return QFontMetrics(MenuFont()).height() + 4; }

QColor SystemColor(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) {
  return QGuiApplication::palette().color(group, role);
}

// Program-wide lists: the popups that OmbraMenus made, and the commands that have shared
// pictures (none in this program).
std::vector<OmbraMenu*>& RegisteredPopups() {
  static std::vector<OmbraMenu*> popups;
  return popups;
}

const QList<quintptr>& PictureIds() {
  static const QList<quintptr> ids;
  return ids;
}

// ---- Menu items ------------------------------------------------------------------------------

quintptr ItemId(const QAction* action) {
  if (action->isSeparator()) return 0;
  if (action->menu() != nullptr) return reinterpret_cast<quintptr>(action->menu());
  return action->data().toULongLong();
}

unsigned ItemFlags(const QAction* action) {
  unsigned flags = action->isEnabled() ? MF_STRING : MF_GRAYED;
  if (action->isChecked()) flags |= MF_CHECKED;
  if (action->isSeparator()) flags |= MF_SEPARATOR;
  if (action->menu() != nullptr) flags |= MF_POPUP;
  return flags;
}

std::unique_ptr<OmbraMenuData> NewRecord(const QString& text, unsigned flags, quintptr id) {
  auto record = std::make_unique<OmbraMenuData>();
  record->text = text;
  record->flags = flags;
  record->commandId = id;
  record->sharedPictureIndex = static_cast<int>(PictureIds().indexOf(id));
  return record;
}

// ---- Drawing helpers -------------------------------------------------------------------------

// A line in the shadow colour with one in the highlight colour below it.
void DrawEtchedLine(QPainter& dc, int left, int right, int y) {
  dc.setPen(SystemColor(QPalette::Dark));
  dc.drawLine(left, y, right, y);
  dc.setPen(SystemColor(QPalette::Light));
  dc.drawLine(left, y + 1, right, y + 1);
}

void DrawFrame(QPainter& dc, const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
  dc.setPen(topLeft);
  dc.drawLine(box.topLeft(), box.topRight());
  dc.drawLine(box.topLeft(), box.bottomLeft());
  dc.setPen(bottomRight);
  dc.drawLine(box.bottomLeft(), box.bottomRight());
  dc.drawLine(box.topRight(), box.bottomRight());
}

// The text before the first tab on the left; the text after the last tab, if any, on the right
// of a rectangle that ends one picture width before the item's.
void DrawItemText(QPainter& dc, QRect rect, const QString& text, const QColor& color,
                  int iconWidth) {
  constexpr int kFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  dc.setPen(color);
  qsizetype firstTab = text.indexOf(QLatin1Char('\t'));
  dc.drawText(rect, kFlags | Qt::AlignLeft, firstTab < 0 ? text : text.left(firstTab));
  if (firstTab < 0) return;
  rect.setRight(rect.right() - iconWidth);
  dc.drawText(rect, kFlags | Qt::AlignRight, text.mid(text.lastIndexOf(QLatin1Char('\t')) + 1));
}

}  // namespace

// ---- Free functions ----------------------------------------------------------------------------

int ClassifyWindowsVersion(const SystemVersion& version) {
  if (version.nt) {
    if (!version.readable) return 1;
    if (version.major == 4) return 5;
    if (version.major == 5 && version.minor == 0) return 6;
    if (version.major == 5 && version.minor == 1) return 7;
    return 1;
  }
  if (version.major < 4) return 0;
  if (!version.readable || version.major != 4) return 2;
  if (version.minor == 10) return 3;
  if (version.minor == 90) return 4;
  return 2;
}

bool IsClassicThemeFile(const QString& themeFile) {
  return themeFile.endsWith(QLatin1String("Windows Classic.theme"), Qt::CaseInsensitive);
}

QColor Lighten(const QColor& color, double x) {
  if (x <= 0 || x > 1) return color;
  auto channel = [x](int c) { return c + static_cast<int>(x * (255 - c)); };
  return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
}

// ---- OmbraMenuMemDC ----------------------------------------------------------------------------

OmbraMenuMemDC::OmbraMenuMemDC(QPainter* target, const QRect& rect)
    : target_(target), rect_(rect), painter_(target) {
  if (target->device()->devType() == QInternal::Printer || rect.isEmpty()) return;
  buffer_ = QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
  buffer_.fill(Qt::transparent);
  bufferPainter_.emplace(&buffer_);
  bufferPainter_->setFont(target->font());
  bufferPainter_->translate(-rect.topLeft());
  painter_ = &*bufferPainter_;
}

OmbraMenuMemDC::~OmbraMenuMemDC() {
  if (!bufferPainter_) return;
  bufferPainter_->end();
  target_->drawImage(rect_.topLeft(), buffer_);
}

// ---- The popup ---------------------------------------------------------------------------------

// Measures the items of an OmbraMenu's popup through the menu's MeasureItem.
class OmbraMenu::MeasuringStyle : public QProxyStyle {
 public:
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
};

// The menu handle of an OmbraMenu: a pop-up menu whose items the OmbraMenu draws and measures.
class OmbraMenu::Popup : public QMenu {
 public:
  explicit Popup(OmbraMenu* owner) : owner_(owner) {
    static MeasuringStyle* style = [] {
      auto* measuring = new MeasuringStyle;
      measuring->setParent(qApp);
      return measuring;
    }();
    setStyle(style);
  }

  OmbraMenu* Owner() const { return owner_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QList<QAction*> items = actions();
    if (items.size() != static_cast<qsizetype>(owner_->m_MenuList.size())) owner_->RereadRecords();
    QPainter painter(this);
    painter.fillRect(rect(), SystemColor(QPalette::Window));
    for (qsizetype i = 0; i < items.size(); ++i) {
      QAction* item = items[i];
      if (!item->isVisible()) continue;
      unsigned state = item->isEnabled() ? 0 : ODS_GRAYED;
      if (item->isChecked()) state |= ODS_CHECKED;
      if (item == activeAction()) state |= ODS_SELECTED;
      DrawItemStruct dis{&painter, actionGeometry(item), state, owner_->m_MenuList[i].get()};
      owner_->DrawItem(&dis);
      if (item->menu() != nullptr) DrawSubmenuArrow(painter, dis.rcItem);
    }
  }

 private:
  // The arrow of a submenu item, which the system draws after the owner in the room it adds.
  void DrawSubmenuArrow(QPainter& painter, const QRect& item) {
    QStyleOption option;
    option.initFrom(this);
    option.rect =
        QRect(item.right() + 1 - kCheckMarkWidth, item.top(), kCheckMarkWidth, item.height());
    style()->drawPrimitive(QStyle::PE_IndicatorArrowRight, &option, &painter, this);
  }

  OmbraMenu* owner_;
};

QSize OmbraMenu::MeasuringStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                                  const QSize& size, const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  const auto* popup = dynamic_cast<const Popup*>(widget);
  if (type != CT_MenuItem || item == nullptr || popup == nullptr) {
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
  // Items of the same kind and text measure the same, so the first such record answers.
  OmbraMenu* menu = popup->Owner();
  bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
  for (const auto& record : menu->Records()) {
    if (((record->flags & MF_SEPARATOR) != 0) != separator || record->text != item->text) continue;
    MeasureItemStruct mis{ODT_MENU, record->commandId, 0, 0, record.get()};
    menu->MeasureItem(&mis);
    return QSize(mis.itemWidth + kCheckMarkWidth, mis.itemHeight);
  }
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

// ---- OmbraMenu ---------------------------------------------------------------------------------

int OmbraMenu::s_nVersionClass = ClassifyWindowsVersion(CurrentSystemVersion());

OmbraMenu::OmbraMenu() = default;

OmbraMenu::~OmbraMenu() { OmbraMenu::DestroyMenu(); }

bool OmbraMenu::IsMenu(quintptr handle) {
  return handle != 0 &&
         std::any_of(RegisteredPopups().begin(), RegisteredPopups().end(), [&](OmbraMenu* popup) {
           return reinterpret_cast<quintptr>(popup->GetMenu()) == handle;
         });
}

bool OmbraMenu::IsMenu(const QMenu* menu) { return IsMenu(reinterpret_cast<quintptr>(menu)); }

bool OmbraMenu::LoadMenu(int nIDResource) {
  const MenuResource* resource = FindMenu(nIDResource);
  if (resource == nullptr) return false;
  DestroyMenu();
  m_hMenu = std::make_unique<Popup>(this);
  LoadItems(resource->items);
  return true;
}

// Menu resources are known by number: a name "#128" is resource 128.
bool OmbraMenu::LoadMenu(const QString& lpszResourceName) {
  bool isNumber = false;
  int id =
      lpszResourceName.startsWith(QLatin1Char('#')) ? lpszResourceName.mid(1).toInt(&isNumber) : 0;
  return isNumber && LoadMenu(id);
}

void OmbraMenu::LoadItems(const std::vector<MenuItemTemplate>& items) {
  for (const MenuItemTemplate& item : items) {
    if (!item.IsSubmenu()) {
      AppendODMenu(item.text, MF_STRING, static_cast<quintptr>(item.id));
      continue;
    }
    auto popup = std::make_unique<OmbraMenu>();
    popup->m_checkMarkIds = m_checkMarkIds;
    popup->m_checkMaps = m_checkMaps;
    popup->m_hMenu = std::make_unique<Popup>(popup.get());
    popup->LoadItems(item.items);
    AppendODPopup(item.text, MF_STRING, std::move(popup));
  }
  AlignAccelerators();
}

void OmbraMenu::DestroyMenu() {
  std::erase(RegisteredPopups(), this);
  m_SubMenus.clear();  // each popup leaves the registered popups as it goes
  m_MenuList.clear();
  m_checkMaps.reset();
  m_hMenu.reset();
}

bool OmbraMenu::AppendODMenu(const QString& text, unsigned flags, quintptr commandId) {
  if (!m_hMenu) m_hMenu = std::make_unique<Popup>(this);
  if (commandId == 0) {
    flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
    return AppendRecord(text, flags, 0, m_hMenu->addSeparator());
  }
  QAction* action = m_hMenu->addAction(text);
  action->setData(QVariant::fromValue<qulonglong>(commandId));
  action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
  action->setCheckable((flags & MF_CHECKED) != 0);
  action->setChecked((flags & MF_CHECKED) != 0);
  return AppendRecord(text, flags | MF_OWNERDRAW, commandId, action);
}

bool OmbraMenu::AppendODPopup(const QString& text, unsigned flags,
                              std::unique_ptr<OmbraMenu> popup) {
  if (!m_hMenu) m_hMenu = std::make_unique<Popup>(this);
  if (!popup->m_hMenu) popup->m_hMenu = std::make_unique<Popup>(popup.get());
  QMenu* handle = popup->m_hMenu.get();
  handle->setTitle(text);
  QAction* action = m_hMenu->addMenu(handle);
  RegisteredPopups().push_back(popup.get());
  m_SubMenus.push_back(std::move(popup));
  return AppendRecord(text, flags | MF_POPUP | MF_OWNERDRAW, reinterpret_cast<quintptr>(handle),
                      action);
}

bool OmbraMenu::AppendRecord(const QString& text, unsigned flags, quintptr commandId,
                             QAction* action) {
  m_MenuList.push_back(NewRecord(text, flags, commandId));
  return action != nullptr;
}

// Lines up the texts after the tabs: each label (the text before the tab and one blank) is
// padded with blanks to the width of the widest label, and the tab goes.
void OmbraMenu::AlignAccelerators() {
  QFontMetrics metrics(MenuFont());
  auto label = [](const QString& text) {
    return text.left(text.indexOf(QLatin1Char('\t'))) + QLatin1Char(' ');
  };
  int widest = 0;
  for (const auto& record : m_MenuList) {
    widest = std::max(widest, metrics.horizontalAdvance(label(record->text)));
  }
  const QList<QAction*> actions = m_hMenu->actions();
  for (size_t i = 0; i < m_MenuList.size(); ++i) {
    QString& text = m_MenuList[i]->text;
    qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab < 0) continue;
    QString padded = label(text);
    while (metrics.horizontalAdvance(padded) < widest) padded += QLatin1Char(' ');
    text = padded + text.mid(tab + 1);
    actions[static_cast<qsizetype>(i)]->setText(text);
  }
}

// Makes the records match the items of the menu again, position by position: a record is kept
// for the first item of its command id (its text refreshed when the item has one), a new record
// is made for an item without one, and records without an item go.
void OmbraMenu::RereadRecords() {
  for (const auto& record : m_MenuList) record->seen = 0;
  std::vector<std::unique_ptr<OmbraMenuData>> records;
  for (QAction* action : m_hMenu->actions()) {
    quintptr id = ItemId(action);
    unsigned flags = ItemFlags(action) | MF_OWNERDRAW | MF_BYPOSITION;
    auto match = std::find_if(m_MenuList.begin(), m_MenuList.end(), [&](const auto& record) {
      return record && !record->seen && record->commandId == id;
    });
    if (match == m_MenuList.end()) {
      records.push_back(NewRecord(action->text(), flags, id));
      continue;
    }
    std::unique_ptr<OmbraMenuData> record = std::move(*match);
    record->seen = 1;
    if (!action->text().isEmpty()) record->text = action->text();
    record->flags = flags;
    records.push_back(std::move(record));
  }
  m_MenuList = std::move(records);
}

int OmbraMenu::FindKeyboardShortcut(unsigned nChar, unsigned nFlags, QMenu* menu) {
  if ((nFlags & MF_POPUP) == 0) return MNC_IGNORE;
  auto found = std::find_if(RegisteredPopups().begin(), RegisteredPopups().end(),
                            [&](OmbraMenu* popup) { return popup->GetMenu() == menu; });
  if (found == RegisteredPopups().end() || menu == nullptr) return MNC_IGNORE;
  OmbraMenu& popup = **found;
  if (menu->actions().size() != static_cast<qsizetype>(popup.m_MenuList.size())) {
    popup.RereadRecords();
  }
  QString key = QLatin1Char('&') + QString(QChar(static_cast<char16_t>(nChar))).toUpper();
  for (size_t position = 0; position < popup.m_MenuList.size(); ++position) {
    if (popup.m_MenuList[position]->text.toUpper().contains(key)) {
      return (MNC_EXECUTE << 16) | static_cast<int>(position);
    }
  }
  return MNC_IGNORE;
}

// The flat look belongs to version 5.1 with its themes on. (The painters here are never
// palette devices.)
bool OmbraMenu::UsesXpLook() const { return s_nVersionClass == 7 && !IsClassicTheme(); }

void OmbraMenu::MeasureItem(MeasureItemStruct* lpMeasureItemStruct) {
  MeasureItemStruct& mis = *lpMeasureItemStruct;
  int spacing = UsesXpLook() ? 7 : 4;
  if (mis.itemData->flags & MF_SEPARATOR) {
    mis.itemWidth = 0;
    mis.itemHeight = std::max(MenuBarHeight() / 2, (m_iconY + spacing) / 2);
    return;
  }
  // The text is measured in the font of the main window's context, or the desktop's, which
  // gets the menu font only on the versions that are not of class 0 or 1.
  QWidget* context = AfxGetMainWnd();
  QFont font = context != nullptr ? context->font() : QApplication::font();
  if (s_nVersionClass > 1) font = MenuFont();
  int textWidth =
      s_nVersionClass != 0 ? QFontMetrics(font).horizontalAdvance(mis.itemData->text) : 0;
  mis.itemWidth = textWidth + (UsesXpLook() ? m_iconX + spacing + 8 : 2 * m_iconX + 1);
  mis.itemHeight = std::max(MenuBarHeight(), m_iconY + spacing);
}

void OmbraMenu::DrawItem(DrawItemStruct* lpDrawItemStruct) {
  if (UsesXpLook()) {
    DrawItemXp(*lpDrawItemStruct);
  } else {
    DrawItemClassic(*lpDrawItemStruct);
  }
}

const QPixmap* OmbraMenu::ItemPicture(const OmbraMenuData& item) const {
  if (!item.imageList || item.listPictureIndex < 0 ||
      item.listPictureIndex >= item.imageList->size()) {
    return nullptr;
  }
  return &item.imageList->at(item.listPictureIndex);
}

const QPixmap* OmbraMenu::CheckMarkPicture() const {
  int id = m_checkMarkIds[0];
  if (!m_checkMaps || id < 0 || id >= m_checkMaps->size()) return nullptr;
  return &m_checkMaps->at(id);
}

// The picture's key colour stays transparent; a disabled item shows a disabled copy.
void OmbraMenu::DrawPicture(QPainter& dc, const QPixmap& picture, QPoint at, bool disabled) const {
  QPixmap keyed = picture;
  keyed.setMask(picture.createMaskFromColor(m_bitmapBackground));
  if (disabled) keyed = QIcon(keyed).pixmap(keyed.size(), QIcon::Disabled);
  dc.drawPixmap(at, keyed);
}

// The check-mark picture when the menu has one, else a tick, or a dot for a radio item.
void OmbraMenu::DrawCheckMark(QPainter& dc, const OmbraMenuData& item, QRect box,
                              const QColor& color) const {
  if (const QPixmap* mark = CheckMarkPicture()) {
    DrawPicture(dc, *mark, box.topLeft(), false);
    return;
  }
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing);
  QPointF centre = QRectF(box).center();
  if (item.flags & MF_RADIOCHECK) {
    dc.setPen(Qt::NoPen);
    dc.setBrush(color);
    dc.drawEllipse(centre, 3, 3);
  } else {
    dc.setPen(QPen(color, 2));
    dc.drawPolyline(
        QPolygonF({centre + QPointF(-4, 0), centre + QPointF(-1, 3), centre + QPointF(4, -3)}));
  }
  dc.restore();
}

// The box of an item's picture, centred on the item's height.
QRect OmbraMenu::PictureBox(const QRect& item) const {
  int gap = std::max(0, (item.height() - m_iconY - 4) / 2);
  return QRect(item.left(), item.top() + gap, m_iconX + 4, m_iconY + 4);
}

void OmbraMenu::DrawItemClassic(const DrawItemStruct& dis) {
  QPainter& dc = *dis.dc;
  const OmbraMenuData& item = *dis.itemData;
  const QRect& r = dis.rcItem;
  QColor back = s_nVersionClass == 7 && !IsClassicTheme() ? SystemColor(QPalette::Button)
                                                          : SystemColor(QPalette::Window);
  dc.fillRect(r, back);
  if (item.flags & MF_SEPARATOR) {
    DrawEtchedLine(dc, r.left(), r.right(), r.top() + r.height() / 2);
    return;
  }
  bool selected = dis.itemState & ODS_SELECTED;
  bool checked = dis.itemState & ODS_CHECKED;
  bool disabled = dis.itemState & (ODS_GRAYED | ODS_DISABLED);
  const QPixmap* picture = ItemPicture(item);
  if (selected) {
    QRect fill = r;
    if (picture != nullptr || checked) fill.setLeft(r.left() + m_iconX + 5);
    dc.fillRect(fill, SystemColor(QPalette::Highlight));
  }

  QRect box = PictureBox(r);
  QColor textColor = SystemColor(selected ? QPalette::HighlightedText : QPalette::WindowText);
  if (picture != nullptr) {
    bool framed = s_nVersionClass > 1;
    QRect edge = box.adjusted(0, 0, -1, -1);
    if (checked) {
      dc.fillRect(box, Lighten(back, 0.6));
      if (framed) DrawFrame(dc, edge, SystemColor(QPalette::Dark), SystemColor(QPalette::Light));
    } else if (selected && framed) {
      DrawFrame(dc, edge, SystemColor(QPalette::Light), SystemColor(QPalette::Dark));
    }
    DrawPicture(dc, *picture, box.topLeft() + QPoint(2, 2), disabled);
  } else if (checked) {
    DrawCheckMark(dc, item, QRect(r.left() + 1, box.top() + 2, m_iconX, m_iconY), textColor);
  }

  QRect textRect = r.adjusted(m_iconX + 9, 0, 0, 0);
  if (!disabled) {
    DrawItemText(dc, textRect, item.text, textColor, m_iconX);
  } else if (!selected) {
    DrawItemText(dc, textRect.translated(1, 1), item.text, SystemColor(QPalette::Light), m_iconX);
    DrawItemText(dc, textRect, item.text, SystemColor(QPalette::WindowText, QPalette::Disabled),
                 m_iconX);
  } else {
    DrawItemText(dc, textRect, item.text, back, m_iconX);
  }
}

void OmbraMenu::DrawItemXp(const DrawItemStruct& dis) {
  OmbraMenuMemDC dc(dis.dc, dis.rcItem);
  dc->setFont(MenuFont());
  const OmbraMenuData& item = *dis.itemData;
  const QRect& r = dis.rcItem;
  dc->fillRect(r, SystemColor(QPalette::Base));
  QRect column(r.left(), r.top(), m_iconX + 7, r.height());
  dc->fillRect(column, SystemColor(QPalette::Button));
  if (item.flags & MF_SEPARATOR) {
    DrawEtchedLine(*dc, column.right() + 1 + 7, r.right(), r.top() + r.height() / 2);
    return;
  }
  bool disabled = dis.itemState & (ODS_GRAYED | ODS_DISABLED);
  bool selected = (dis.itemState & ODS_SELECTED) && !disabled;
  bool checked = dis.itemState & ODS_CHECKED;
  QColor highlight = SystemColor(QPalette::Highlight);
  if (selected) {
    dc->fillRect(r, Lighten(highlight, 0.7));
    dc->setPen(highlight);
    dc->drawRect(r.adjusted(0, 0, -1, -1));
  }

  QRect box = PictureBox(r);
  if (checked) {
    dc->fillRect(box, Lighten(highlight, 0.85));
    dc->setPen(highlight);
    dc->drawRect(box.adjusted(0, 0, -1, -1));
  }
  QColor textColor =
      SystemColor(QPalette::WindowText, disabled ? QPalette::Disabled : QPalette::Active);
  if (const QPixmap* picture = ItemPicture(item)) {
    DrawPicture(*dc, *picture, box.topLeft() + QPoint(2, 2), disabled);
  } else if (checked) {
    DrawCheckMark(*dc, item, QRect(r.left() + 1, box.top() + 2, m_iconX, m_iconY), textColor);
  }
  DrawItemText(*dc, r.adjusted(m_iconX + 15, 0, 0, 0), item.text, textColor, m_iconX);
}
