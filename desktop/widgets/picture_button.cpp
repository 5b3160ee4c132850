#include "desktop/widgets/picture_button.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "desktop/resources/resource_ids.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

// The bitmap with its magenta pixels made transparent.
QPixmap MaskedBitmap(const QImage& bitmap) {
  QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == kMagentaKey) line[x] = 0;
    }
  }
  return QPixmap::fromImage(image);
}

QPixmap IconPixmap(const QIcon& icon) {
  QList<QSize> sizes = icon.availableSizes();
  return sizes.isEmpty() ? QPixmap() : icon.pixmap(sizes.last());
}

void DrawEdge(QPainter& painter, QRect rect, const QColor& topLeft, const QColor& bottomRight) {
  painter.setPen(topLeft);
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

CPictureButton::CPictureButton(QWidget* parent, unsigned style)
    : QAbstractButton(parent), m_nButtonType(style & BS_TYPEMASK) {
  m_bCheckMode = (style & BS_CHECKBOX) != 0;
  if (m_nButtonType == BS_DEFPUSHBUTTON) {
    m_bDefault = true;
    m_nButtonType = BS_PUSHBUTTON;
  }
  ResetColors();
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, [this] {
    setFocus();
    if (m_bCheckMode) {
      m_bChecked = !m_bChecked;
      update();
    }
  });
}

CPictureButton* CPictureButton::FromTemplate(const ControlTemplate& control, QWidget* parent,
                                             std::function<void()> onClick) {
  auto* button = new CPictureButton(parent, control.style);
  button->setText(control.text);
  connect(button, &QAbstractButton::clicked, button, std::move(onClick));
  return button;
}

void CPictureButton::ResetColors() {
  QColor face = palette().color(QPalette::Button);
  QColor text = palette().color(QPalette::ButtonText);
  m_crHoverBack = m_crRestBack = m_crFocusBack = face;
  m_crHoverText = m_crRestText = m_crFocusText = text;
}

bool CPictureButton::SetButtonIcons(const QIcon& hover, const QIcon& rest) {
  hoverPicture_ = {IconPixmap(hover), true};
  restPicture_ = {IconPixmap(rest), true};
  const bool set = HasPicture();
  if (!set) restPicture_ = Picture();
  update();
  return set;
}

bool CPictureButton::SetButtonBitmaps(const QImage& hover, const QImage& rest) {
  hoverPicture_ = restPicture_ = Picture();
  if (!hover.isNull()) {
    hoverPicture_ = {MaskedBitmap(hover), false};
    if (!rest.isNull()) restPicture_ = {MaskedBitmap(rest), false};
  }
  update();
  return HasPicture();
}

bool CPictureButton::SetHandCursor() {
  bool found = false;
  QCursor cursor = LoadCursor(kCursorHand, &found);
  if (found) {
    setCursor(cursor);
  } else {
    unsetCursor();
  }
  update();
  return found;
}

void CPictureButton::SetButtonTooltip(const QString& text) {
  if (!text.isEmpty()) setToolTip(text);
}

void CPictureButton::SizeToImage() {
  m_nMarginX = m_nMarginY = 0;
  if (HasPicture()) resize(hoverPicture_.pixmap.size());
}

void CPictureButton::SetFlat(bool flat) {
  m_bFlat = flat;
  update();
}

void CPictureButton::SetShowBorder(bool show) {
  m_bShowBorder = show;
  update();
}

void CPictureButton::SetTransparent(bool transparent) {
  m_bTransparent = transparent;
  update();
}

void CPictureButton::SetPressedShift(QPoint shift) {
  m_ptPressedShift = shift;
  update();
}

void CPictureButton::SetImagePlacement(ImagePlacement placement) {
  m_nImagePlacement = placement;
  update();
}

void CPictureButton::SetCaptionColors(const QColor& hover, const QColor& rest) {
  m_crHoverText = hover;
  m_crRestText = rest;
  update();
}

void CPictureButton::SetDialogLook() {
  SetHandCursor();
  SetPressedShift(QPoint(0, 2));
  SetShowBorder(false);
  SetTransparent(true);
  SizeToImage();
}

void CPictureButton::SetCheck(int state) {
  if (!m_bCheckMode) return;
  m_bChecked = state == 1 || state == 2;
  update();
}

QSize CPictureButton::sizeHint() const {
  QSize picture = HasPicture() ? hoverPicture_.pixmap.size() : QSize();
  QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
  return QSize(picture.width() + caption.width() + 2 * m_nMarginX,
               std::max(picture.height(), caption.height()) + 2 * m_nMarginY);
}

void CPictureButton::nextCheckState() {}

int CPictureButton::OnMenuChar(unsigned nChar, unsigned nFlags, QMenu* pMenu) {
  if (OmbraMenu::IsMenu(pMenu)) return OmbraMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
  return MNC_IGNORE;
}

void CPictureButton::OnMeasureItem(int /*nIDCtl*/, MeasureItemStruct* lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU && OmbraMenu::IsMenu(lpMeasureItemStruct->itemID)) {
    m_menuPopup.MeasureItem(lpMeasureItemStruct);
  }
}

void CPictureButton::EndHover() {
  if (!m_bHover) return;
  m_bHover = false;
  update();
}

void CPictureButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  if (!m_bFlat) return;
  if ((QGuiApplication::mouseButtons() & Qt::LeftButton) && !m_bHover) return;
  if (!m_bTrackAlways && QGuiApplication::focusWindow() == nullptr) return;
  if (!m_bHover) {
    m_bHover = true;
    update();
  }
}

void CPictureButton::mouseMoveEvent(QMouseEvent* event) {
  QAbstractButton::mouseMoveEvent(event);
  if (m_bFlat && !m_bHover && rect().contains(event->position().toPoint()) &&
      !(event->buttons() & Qt::LeftButton)) {
    m_bHover = true;
    update();
  }
}

void CPictureButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  EndHover();
}

void CPictureButton::focusOutEvent(QFocusEvent* event) {
  QAbstractButton::focusOutEvent(event);
  EndHover();
}

void CPictureButton::changeEvent(QEvent* event) {
  QAbstractButton::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && !isEnabled()) EndHover();
  if (event->type() == QEvent::PaletteChange) ResetColors();
}

const CPictureButton::Picture& CPictureButton::ChosenPicture() const {
  bool restWanted = (m_bCheckMode && !m_bPressed) || (!m_bPressed && !m_bHover);
  if (!restPicture_.pixmap.isNull() && restWanted) return restPicture_;
  return hoverPicture_;
}

QRect CPictureButton::PlacePicture(QSize size, bool hasCaption, QRect* captionRect) const {
  QRect client = rect();
  int w = size.width(), h = size.height();
  int centredX = (client.width() - w) / 2;
  int centredY = (client.height() - h) / 2;
  switch (m_nImagePlacement) {
    case ImagePlacement::kAboveCaption:
      if (hasCaption) {
        captionRect->setTop(captionRect->top() + h);
        return QRect(centredX, m_nMarginY, w, h);
      }
      return QRect(centredX, centredY, w, h);
    case ImagePlacement::kRightOfCaption:
      if (hasCaption) {
        int left = client.width() - m_nMarginX - w;
        captionRect->setLeft(m_nMarginX);
        captionRect->setRight(left - 1);
        return QRect(left, centredY, w, h);
      }
      return QRect(centredX, 0, w, h);
    case ImagePlacement::kTopLeftCorner:
      return QRect(0, 0, w, h);
    case ImagePlacement::kLeftOfCaption:
      break;
  }
  // Left of the caption, or centred where there is none.
  if (hasCaption) {
    captionRect->setLeft(captionRect->left() + w + m_nMarginX);
    return QRect(m_nMarginX, centredY, w, h);
  }
  return QRect(centredX, centredY, w, h);
}

void CPictureButton::paintEvent(QPaintEvent*) {
  m_bPressed = m_bCheckMode ? (isDown() || m_bChecked) : isDown();
  m_bFocused = hasFocus();
  m_bDisabled = !isEnabled();

  QPainter painter(this);
  QRect client = rect();
  // Drawn transparently, the parent's background shows through where the button paints nothing.
  if (!m_bTransparent) DrawButtonBackground(painter, client);
  DrawButtonBorder(painter, client);

  QString caption = text();
  QRect captionRect = client;
  if (HasPicture()) {
    const Picture& picture = ChosenPicture();
    QRect place = PlacePicture(picture.pixmap.size(), !caption.isEmpty(), &captionRect);
    if (m_bPressed && !m_bCheckMode) place.translate(m_ptPressedShift);
    DrawButtonPicture(painter, picture, place);
  }
  if (!caption.isEmpty()) DrawButtonCaption(painter, captionRect, caption);

  if (m_bFocused && !m_bFlat) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = client.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CPictureButton::DrawButtonBackground(QPainter& painter, QRect rect) {
  if (!m_bFlat && (m_bFocused || m_bDefault)) {
    painter.setPen(Qt::black);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    rect.adjust(1, 1, -1, -1);
  }
  QColor back = (m_bHover || m_bPressed) ? m_crHoverBack
                : m_bFocused             ? m_crFocusBack
                                         : m_crRestBack;
  painter.fillRect(rect, back);
}

void CPictureButton::DrawButtonBorder(QPainter& painter, QRect rect) {
  QRect edge = rect.adjusted(0, 0, -1, -1);
  const QPalette& colors = palette();
  if (m_bPressed) {
    if (m_bFlat) {
      if (m_bShowBorder)
        DrawEdge(painter, edge, colors.color(QPalette::Dark), colors.color(QPalette::Light));
    } else {
      painter.setPen(colors.color(QPalette::Dark));
      painter.drawRect(edge);
    }
  } else if (!m_bFlat) {
    DrawEdge(painter, edge, colors.color(QPalette::Light), colors.color(QPalette::Shadow));
    DrawEdge(painter, edge.adjusted(1, 1, -1, -1), colors.color(QPalette::Midlight),
             colors.color(QPalette::Dark));
  } else if (m_bHover && m_bShowBorder) {
    DrawEdge(painter, edge, colors.color(QPalette::Light), colors.color(QPalette::Dark));
  }
}

void CPictureButton::DrawButtonPicture(QPainter& painter, const Picture& picture, QRect place) {
  bool embossed = m_bDisabled && (picture.isIcon || m_bGrayDisabledBitmap);
  if (embossed) {
    QStyleOption option;
    option.initFrom(this);
    painter.drawPixmap(place.topLeft(),
                       style()->generatedIconPixmap(QIcon::Disabled, picture.pixmap, &option));
  } else {
    painter.drawPixmap(place.topLeft(), picture.pixmap);
  }
}

void CPictureButton::DrawButtonCaption(QPainter& painter, QRect captionRect,
                                       const QString& caption) {
  if (m_bPressed && !m_bCheckMode) captionRect.translate(m_ptPressedShift);
  int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  if (m_bDisabled) {
    // Embossed in the system's 3D colours: the highlight one pixel down and right, the shadow in
    // place. The palette's colours for disabled widgets are too pale to read on a light picture.
    painter.setPen(palette().color(QPalette::Active, QPalette::Light));
    painter.drawText(captionRect.translated(1, 1), flags, caption);
    painter.setPen(palette().color(QPalette::Active, QPalette::Dark));
    painter.drawText(captionRect, flags, caption);
    return;
  }
  QColor color = (m_bHover || m_bPressed) ? m_crHoverText
                 : m_bFocused             ? m_crFocusText
                                          : m_crRestText;
  painter.setPen(color);
  painter.drawText(captionRect, flags, caption);
}
