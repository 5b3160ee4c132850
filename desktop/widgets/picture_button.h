#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>

#include <functional>

#include "desktop/widgets/owner_drawn_menu.h"
#include "platform/windows/dialog_template.h"

// The desktop program's picture push button: a picture (two icons or two bitmaps, one shown
// while the mouse is over the button or it is pressed, one at rest), an optional caption, a
// cursor and a tooltip. It can draw flat, and transparently over its parent's background.
class CPictureButton : public QAbstractButton {
 public:
  // `style` is the style the template gives the button: its type bits decide check mode and
  // default-button state.
  explicit CPictureButton(QWidget* parent = nullptr, unsigned style = 0);
  // The button of a template control, with the control's style and caption, that runs `onClick`
  // when clicked. The caption stays the button's text even where the picture leaves it no room.
  static CPictureButton* FromTemplate(const ControlTemplate& control, QWidget* parent,
                                      std::function<void()> onClick);

  // Pictures: index 0 hover/pressed, index 1 rest (may be null). Return 0 on success.
  int SetButtonIcons(const QIcon& hover, const QIcon& rest);
  int SetButtonBitmaps(const QImage& hover, const QImage& rest);
  int SetHandCursor();
  void SetButtonTooltip(const QString& text);
  void SizeToImage();

  // Check state, in check mode only (1 and 2 check, anything else unchecks).
  void SetCheck(int state);
  int GetCheck() const { return m_bChecked; }

  int m_bFlat = 1;
  int m_bShowBorder = 1;
  int m_bTransparent = 0;
  QPoint m_ptPressedShift{1, 1};
  int m_nImagePlacement = 0;  // 0 left, 1 above, 2 right of the caption, 3 top-left corner
  int m_nMarginX = 3;
  int m_nMarginY = 3;
  int m_bGrayDisabledBitmap = 1;
  int m_bTrackAlways = 1;
  int m_bHover = 0;
  int m_bPressed = 0;
  int m_bFocused = 0;
  int m_bDisabled = 0;
  int m_bCheckMode = 0;
  int m_bChecked = 0;
  int m_bDefault = 0;
  unsigned m_nButtonType = 31;

  // Background and caption colours: hovered or pressed, at rest, focused.
  QColor m_crHoverBack, m_crHoverText;
  QColor m_crRestBack, m_crRestText;
  QColor m_crFocusBack, m_crFocusText;

  QSize sizeHint() const override;

  // A key typed while a popup menu is open, and the size of an owner-drawn menu item: the button's
  // menu answers for the popups it made; anything else gets the default handling (the key is
  // ignored, the size left as it is).
  int OnMenuChar(unsigned nChar, unsigned nFlags, QMenu* pMenu);
  void OnMeasureItem(int nIDCtl, MeasureItemStruct* lpMeasureItemStruct);

  // The drop-down menu. Nothing in the program fills it, so a click never opens a menu.
  OmbraMenu m_menuPopup;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  // A quick second click is a click of its own, not a double click.
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void nextCheckState() override;

 private:
  struct Picture {
    QPixmap pixmap;
    bool isIcon = false;
  };

  void ResetColors();
  void EndHover();
  const Picture* ChosenPicture() const;
  bool HasPicture() const { return !pictures_[0].pixmap.isNull(); }
  // Where the picture goes, and what is left for the caption.
  QRect PlacePicture(QSize pictureSize, bool hasCaption, QRect* captionRect) const;

  void DrawButtonBackground(QPainter& painter, QRect rect);
  void DrawButtonBorder(QPainter& painter, QRect rect);
  void DrawButtonPicture(QPainter& painter, const Picture& picture, QRect place);
  void DrawButtonCaption(QPainter& painter, QRect captionRect, const QString& caption);

  Picture pictures_[2];
};
