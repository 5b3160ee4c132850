#pragma once

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QSize>

#include <memory>
#include <vector>

// Button images scaled for the screen. The phone's bitmaps are drawn for a resolution they
// declare (96 pixels per inch when they declare none); an image list made from one is scaled
// from that resolution to the screen's.

inline constexpr unsigned IMAGE_BITMAP = 0;
inline constexpr unsigned CLR_NONE = 0xFFFFFFFF;  // no mask colour

// Images of one size, drawn by index.
class CImageList {
 public:
  explicit CImageList(QSize imageSize) : imageSize_(imageSize) {}

  // Cuts the strip into images of the list's size, left to right. With a mask colour other than
  // CLR_NONE, pixels of that colour become transparent. False when the strip holds no image.
  bool Add(const QImage& strip, unsigned maskColor);

  int GetImageCount() const { return static_cast<int>(images_.size()); }
  QSize GetImageSize() const { return imageSize_; }
  const QImage& Image(int index) const { return images_.at(index); }
  // Draws image `index` with its top-left corner at `topLeft`; nothing for an index out of range.
  void Draw(QPainter& painter, int index, QPoint topLeft) const;

 private:
  QSize imageSize_;
  std::vector<QImage> images_;
};

// 1 and the pixels per inch that bitmap `bitmapId` of the installed resource module declares
// (at least 96: a bitmap declaring less, or nothing, counts as 96); 0 when there is no such
// bitmap.
int GetBitmapDpi(int bitmapId, int* dpiX, int* dpiY);

// Stretches each of the bitmap's tiles (tilesAcross by tilesDown of them) to tileWidth by
// tileHeight into a new bitmap. A wanted width of 0 follows from the height and a height of 0
// from the width, keeping the tile's proportions. 1 on success; when the wanted size is the
// tiles' own, 1 without a new bitmap (`newBitmap` is left alone). 0 when the bitmap has no
// tiles of that number or the new bitmap would be empty.
int ScaleBitmapBlt(const QImage& bitmap, QImage* newBitmap, int tileWidth, int tileHeight,
                   int tilesAcross, int tilesDown);

// The image list of bitmap `bitmapId`, cut into images `imageWidth` wide, scaled from the
// bitmap's resolution to the screen's. Only bitmaps (IMAGE_BITMAP) are loaded; null for any
// other type, an image width of 0, a missing bitmap, or a bitmap narrower than one image.
// `grow` and `flags` are kept for the callers' sake: the list never grows.
std::unique_ptr<CImageList> LoadScaledImageList(int bitmapId, int imageWidth, int grow,
                                                unsigned maskColor, unsigned imageType,
                                                unsigned flags);

// Icon `iconId` of the installed resource module at the screen's icon size: its own size, drawn
// for 96 pixels per inch, scaled to the screen's. Null when there is no such icon.
QPixmap LoadScreenIcon(int iconId);
