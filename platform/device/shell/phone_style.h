#pragma once

#include <QFont>
#include <QProxyStyle>
#include <QString>

// The look of the phone programs' windows on the emulated screen. The phone's forms give every
// size for 96 pixels per inch and scale it for the screen; PhoneStyle does the same for what the
// platform style measures itself: scroll bars, frames, margins, button and icon sizes. It reads
// the screen's pixels per inch at each measure, so windows made after the screen changes follow
// it. Fonts are given by each window (PhoneFont).
class PhoneStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
};

// Makes PhoneStyle the application's style, once; later calls keep it.
void UsePhoneStyle();

// A value in pixels at 96 pixels per inch, on the phone's screen: (v * dpi + 48) / 96 for
// v >= 0; a negative value (a style's "none") stays as it is.
int ScaledForPhoneScreen(int pixelsAt96);

// A font of `pointSize` points at the screen's pixels per inch: (points * dpi + 36) / 72 pixels
// high, the family mapped as dialog templates map it ("MS Shell Dlg" and the like).
QFont PhoneFont(const QString& family, int pointSize);

// The font of the phone's message boxes and file dialogs: 8-point "MS Shell Dlg", as its dialogs.
QFont PhoneDialogFont();
