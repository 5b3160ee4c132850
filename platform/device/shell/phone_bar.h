#pragma once

#include <QString>

class QPainter;
class QToolButton;
class QWidget;

// The look the phone gives the bars of its windows: the soft-key bar under a program's main window
// (command_bar.h) and the title row of its full-screen dialogs (dialog_title_row.h). Their height
// and text grow with the screen's pixels per inch.

// A bar's height on the current screen: 26 pixels at 96 pixels per inch.
int PhoneBarHeight();

// Gives `bar` a bar's height and its keys' bold font.
void StylePhoneBar(QWidget* bar);

// A key of `bar` showing `text`: white on the bar, lighter while it is pressed.
QToolButton* NewPhoneBarKey(const QString& text, QWidget* bar);

// Paints `bar`'s background: dark blue, darker downwards.
void PaintPhoneBar(QPainter& painter, const QWidget& bar);
