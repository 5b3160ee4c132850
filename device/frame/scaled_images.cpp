#include "device/frame/scaled_images.h"

#include <algorithm>

#include "device/frame/screen_scaling.h"
#include "platform/device/shell/resource_module.h"
#include "platform/windows/resources.h"

namespace {

constexpr int kPelsPerMeterAt96Dpi = 3780;

int DpiFromPelsPerMeter(int pelsPerMeter) {
  return (std::max(pelsPerMeter, kPelsPerMeterAt96Dpi) * 100 + 1968) / 3937;
}

// The image list of a bitmap taken as it is: images `imageWidth` wide.
std::unique_ptr<CImageList> ImageListFromBitmap(const QImage& bitmap, int imageWidth,
                                                unsigned maskColor) {
  auto list = std::make_unique<CImageList>(QSize(imageWidth, bitmap.height()));
  if (!list->Add(bitmap, maskColor)) return nullptr;
  return list;
}

}  // namespace

bool CImageList::Add(const QImage& strip, unsigned maskColor) {
  if (imageSize_.isEmpty() || strip.height() < imageSize_.height()) return false;
  int count = strip.width() / imageSize_.width();
  if (count == 0) return false;
  for (int i = 0; i < count; ++i) {
    QImage image = strip.copy(i * imageSize_.width(), 0, imageSize_.width(), imageSize_.height())
                       .convertToFormat(QImage::Format_ARGB32);
    if (maskColor != CLR_NONE) {
      for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
          if ((line[x] & 0xFFFFFF) == (maskColor & 0xFFFFFF)) line[x] = 0;
        }
      }
    }
    images_.push_back(image);
  }
  return true;
}

void CImageList::Draw(QPainter& painter, int index, QPoint topLeft) const {
  if (index < 0 || index >= GetImageCount()) return;
  painter.drawImage(topLeft, images_[index]);
}

int GetBitmapDpi(int bitmapId, int* dpiX, int* dpiY) {
  int pelsPerMeterX = 0;
  int pelsPerMeterY = 0;
  if (!FindBitmapResolution(bitmapId, &pelsPerMeterX, &pelsPerMeterY)) return 0;
  *dpiX = DpiFromPelsPerMeter(pelsPerMeterX);
  *dpiY = DpiFromPelsPerMeter(pelsPerMeterY);
  return 1;
}

int ScaleBitmapBlt(const QImage& bitmap, QImage* newBitmap, int tileWidth, int tileHeight,
                   int tilesAcross, int tilesDown) {
  if (tilesAcross <= 0 || tilesDown <= 0) return 0;
  int sourceWidth = bitmap.width() / tilesAcross;
  int sourceHeight = bitmap.height() / tilesDown;
  if (sourceWidth <= 0 || sourceHeight <= 0) return 0;
  if (tileWidth == sourceWidth && tileHeight == sourceHeight) return 1;
  if (tileWidth == 0) tileWidth = MulDivRound(tileHeight, sourceWidth, sourceHeight);
  if (tileHeight == 0) tileHeight = MulDivRound(tileWidth, sourceHeight, sourceWidth);
  if (tileWidth <= 0 || tileHeight <= 0) return 0;

  QImage scaled(tileWidth * tilesAcross, tileHeight * tilesDown, QImage::Format_RGB32);
  if (scaled.isNull()) return 0;
  QPainter painter(&scaled);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int row = 0; row < tilesDown; ++row) {
    for (int column = 0; column < tilesAcross; ++column) {
      QRect target(column * tileWidth, row * tileHeight, tileWidth, tileHeight);
      QRect source(column * sourceWidth, row * sourceHeight, sourceWidth, sourceHeight);
      painter.drawImage(target, bitmap, source);
    }
  }
  painter.end();
  *newBitmap = scaled;
  return 1;
}

std::unique_ptr<CImageList> LoadScaledImageList(int bitmapId, int imageWidth, int /*grow*/,
                                                unsigned maskColor, unsigned imageType,
                                                unsigned /*flags*/) {
  if (imageType != IMAGE_BITMAP || imageWidth <= 0) return nullptr;
  int bitmapDpiX = 0;
  int bitmapDpiY = 0;
  if (!GetBitmapDpi(bitmapId, &bitmapDpiX, &bitmapDpiY)) return nullptr;
  QImage bitmap = LoadBitmap(bitmapId);
  if (bitmap.isNull()) return nullptr;
  int screenDpiX = GetLogPixelsX();
  int screenDpiY = GetLogPixelsY();
  if (screenDpiX == bitmapDpiX) return ImageListFromBitmap(bitmap, imageWidth, maskColor);

  int width = MulDivRound(imageWidth, screenDpiX, bitmapDpiX);
  int count = bitmap.width() / imageWidth;
  int height = MulDivRound(bitmap.height(), screenDpiY, bitmapDpiY);
  if (count == 0) return nullptr;
  QImage scaled = bitmap;
  bool whole = screenDpiX % bitmapDpiX == 0;
  int done = whole ? ScaleBitmapBlt(bitmap, &scaled, width * count, height, 1, 1)
                   : ScaleBitmapBlt(bitmap, &scaled, width, height, count, 1);
  if (!done) return nullptr;
  return ImageListFromBitmap(scaled, width, maskColor);
}

QPixmap LoadScreenIcon(int iconId) {
  const QSize size = IconSize(iconId);
  return LoadIconPixmap(iconId, QSize(ScaleX(size.width()), ScaleY(size.height())));
}
