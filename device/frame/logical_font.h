#pragma once

#include <QFont>

// Fonts described the platform's way. A logical height below zero is the height of the
// characters (the font's pixel size); above zero it is the height of the character cell, ascent
// plus descent. A logical width is the average width of a character.

QFont WithLogicalHeight(QFont font, int height);
QFont WithLogicalWidth(QFont font, int width);
