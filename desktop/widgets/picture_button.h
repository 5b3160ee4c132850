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

  // Pictures: one shown while the mouse is over the button or it is pressed, one at rest (may be
  // null). False when the hover picture is missing: the button then has no picture.
  bool SetButtonIcons(const QIcon& hover, const QIcon& rest);
  bool SetButtonBitmaps(const QImage& hover, const QImage& rest);
  // False when the hand cursor cannot be loaded: the button then shows the parent's cursor.
  bool SetHandCursor();
  void SetButtonTooltip(const QString& text);
  void SizeToImage();

  // Where the picture stands against the caption.
  enum class ImagePlacement {
    kLeftOfCaption,
    kAboveCaption,
    kRightOfCaption,
    kTopLeftCorner,  // the caption is laid over the picture
  };

  // The look, chosen by the dialogs that use the button; each redraws it.
  // Flat: no 3D edge at rest, and the hover picture while the mouse is over the button.
  void SetFlat(bool flat);
  // In the flat look, a thin edge while hovered or pressed.
  void SetShowBorder(bool show);
  // The parent's background shows where the button paints nothing.
  void SetTransparent(bool transparent);
  // How far picture and caption move while the button is pressed.
  void SetPressedShift(QPoint shift);
  void SetImagePlacement(ImagePlacement placement);
  // The caption's colour while hovered or pressed, and at rest.
  void SetCaptionColors(const QColor& hover, const QColor& rest);
  // The look of the buttons of the program's dialogs, set once their pictures are: the hand
  // cursor, picture and caption 2 pixels lower while pressed, no edge, the dialog's background
  // behind, and the size of the picture.
  void SetDialogLook();

  // What the template's style made of the button: a check box toggles on click; a default push
  // button is a push button drawn with a frame.
  bool IsCheckMode() const { return m_bCheckMode; }
  bool IsDefault() const { return m_bDefault; }
  unsigned ButtonType() const { return m_nButtonType; }
  bool IsHovered() const { return m_bHover; }

  // Check state, in check mode only (1 and 2 check, anything else unchecks).
  void SetCheck(int state);
  int GetCheck() const { return m_bChecked ? 1 : 0; }

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
  const Picture& ChosenPicture() const;
  bool HasPicture() const { return !hoverPicture_.pixmap.isNull(); }
  // Where the picture goes, and what is left for the caption.
  QRect PlacePicture(QSize pictureSize, bool hasCaption, QRect* captionRect) const;

  void DrawButtonBackground(QPainter& painter, QRect rect);
  void DrawButtonBorder(QPainter& painter, QRect rect);
  void DrawButtonPicture(QPainter& painter, const Picture& picture, QRect place);
  void DrawButtonCaption(QPainter& painter, QRect captionRect, const QString& caption);

  bool m_bFlat = true;
  bool m_bShowBorder = true;
  bool m_bTransparent = false;
  QPoint m_ptPressedShift{1, 1};
  ImagePlacement m_nImagePlacement = ImagePlacement::kLeftOfCaption;
  int m_nMarginX = 3;  // the picture's distance from the button's edge
  int m_nMarginY = 3;
  bool m_bGrayDisabledBitmap = true;
  bool m_bTrackAlways = true;  // hover also while the button's window is not the active one
  // The live state: set by the mouse handlers and at each paint.
  bool m_bHover = false;
  bool m_bPressed = false;
  bool m_bFocused = false;
  bool m_bDisabled = false;
  bool m_bCheckMode = false;
  bool m_bChecked = false;
  bool m_bDefault = false;
  unsigned m_nButtonType;  // the template style's type bits; a default push button's become 0

  // Background and caption colours: hovered or pressed, at rest, focused.
  QColor m_crHoverBack, m_crHoverText;
  QColor m_crRestBack, m_crRestText;
  QColor m_crFocusBack, m_crFocusText;

  Picture hoverPicture_;
  Picture restPicture_;  // may be none
};
