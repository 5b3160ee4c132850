#pragma once

#include <QBrush>
#include <QWidget>

// The background every desktop form, dialog and the tips box paint with. The application sets
// it at start-up; until then windows keep the platform's colours.
void SetBackBrush(const QBrush& brush);
const QBrush& BackBrush();

// The shared control-colour handler: the window paints the background brush, and the text of
// its statics is drawn on it without a background of its own.
void OnCtlColorBackBrush(QWidget* window);

// The record dialogs' handler: the window and its controls, edit boxes and lists included, on
// the background brush, and static text in black.
void OnCtlColorStaticBlack(QWidget* window);
