#pragma once

// Every size of the phone forms is written for 96 pixels per inch and scaled for the screen:
// ScaleX(v) = (LOGPIXELSX * v + 48) / 96 and ScaleY(v) = (LOGPIXELSY * v + 48) / 96, integer
// division. At 96 pixels per inch a size stays as it is; at 192 it doubles.

// sign(a) * ((|a| * b + c / 2) / c), the division truncating: a * b / c rounded half away from
// zero. Worked in 64 bits, so no product overflows; a zero divisor gives 0.
int MulDivRound(int a, int b, int c);

// A capability of the screen's device context (LOGPIXELSX, LOGPIXELSY, HORZRES, VERTRES of
// platform/device/shell/phone_screen.h). The emulated phone always has its screen, so the "no
// screen context" answer, -1, does not arise.
int GetScreenCaps(int index);

// The screen's pixels per inch, horizontally and vertically, computed on first use and kept
// (until the emulated screen is replaced).
int GetLogPixelsX();
int GetLogPixelsY();

int ScaleX(int value);
int ScaleY(int value);

// 1 when the screen is narrower than tall (portrait), -1 when wider (landscape), 0 when square.
int GetScreenOrientation();
