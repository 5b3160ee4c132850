#pragma once

// Resource ids of the desktop program: icons, bitmaps, cursors, menus and strings.

inline constexpr int kIconSuccess = 162;
inline constexpr int kIconError = 172;
