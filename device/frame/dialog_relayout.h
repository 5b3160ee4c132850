#pragma once

#include <QRect>

class QWidget;

// Placing the controls of a phone form or dialog.

// The rectangle from its four edges.
inline QRect RectFromEdges(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

// Moves the child of `parent` with control id `id` to `rect` and repaints it; nothing when there
// is no such child.
void PlaceDialogControl(int id, QWidget* parent, const QRect& rect);

// Moves every control of `window` to the place that dialog template `templateId` (of the
// installed resource module) gives its id, converted from dialog units with the window's font,
// and refreshes it from the template: its text, or its icon or bitmap, or, for lists and combo
// boxes, its selection scrolled into view. All moves are applied together at the end.
// 1 when the template exists, every one of its controls was found and at most one of them has
// the "no id" id (-1), which cannot be told apart from another; 0 otherwise, the controls that
// were found moved all the same.
int RelayoutDialogFromTemplate(QWidget* window, int templateId);
