#include "platform/windows/resources.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <algorithm>

namespace {

const ResourceTable* g_table = nullptr;

template <typename Entry>
const Entry* Find(std::span<const Entry> entries, int id) {
  auto found = std::find_if(entries.begin(), entries.end(),
                            [id](const Entry& entry) { return entry.id == id; });
  return found != entries.end() ? &*found : nullptr;
}

const ImageResource* FindIcon(int id) { return g_table ? Find(g_table->icons, id) : nullptr; }

// Renders an SVG (or loads a PNG) at the given size, transparent where the artwork draws nothing.
QImage Render(const ImageResource& entry, QSize size) {
  QString path = QString::fromLatin1(entry.path);
  if (!path.endsWith(QLatin1String(".svg"))) {
    return QImage(path).scaled(size).convertToFormat(QImage::Format_ARGB32);
  }
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return QImage();
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace

void InstallResourceTable(const ResourceTable* table) { g_table = table; }

QIcon LoadIcon(int id) {
  const ImageResource* entry = FindIcon(id);
  if (entry == nullptr) return QIcon();
  QIcon icon;
  for (int size : {16, entry->width}) {
    icon.addPixmap(QPixmap::fromImage(Render(*entry, QSize(size, size))));
  }
  return icon;
}

QSize IconSize(int id) {
  const ImageResource* entry = FindIcon(id);
  return entry ? QSize(entry->width, entry->height) : QSize();
}

QPixmap LoadIconPixmap(int id, QSize size) {
  const ImageResource* entry = FindIcon(id);
  return entry ? QPixmap::fromImage(Render(*entry, size)) : QPixmap();
}

QImage LoadBitmap(int id, QSize size) {
  const ImageResource* entry = g_table ? Find(g_table->bitmaps, id) : nullptr;
  if (entry == nullptr) return QImage();
  QImage image = Render(*entry, size.isEmpty() ? QSize(entry->width, entry->height) : size);
  QImage bitmap(image.size(), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QColor color = image.pixelColor(x, y);
      bitmap.setPixel(
          x, y,
          color.alpha() >= 128 ? (color.rgb() | 0xFF000000) : (entry->background | 0xFF000000));
    }
  }
  return bitmap;
}

QCursor LoadCursor(int id, bool* found) {
  const ImageResource* entry = g_table ? Find(g_table->cursors, id) : nullptr;
  if (found != nullptr) *found = entry != nullptr;
  if (entry == nullptr) return QCursor(Qt::ArrowCursor);
  QPixmap pixmap = QPixmap::fromImage(Render(*entry, QSize(entry->width, entry->height)));
  return QCursor(pixmap, entry->hotSpotX, entry->hotSpotY);
}

QString LoadString(int id) {
  const StringResource* entry = g_table ? Find(g_table->strings, id) : nullptr;
  return entry ? QString::fromUtf8(entry->text) : QString();
}

const MenuResource* FindMenu(int id) { return g_table ? Find(g_table->menus, id) : nullptr; }
