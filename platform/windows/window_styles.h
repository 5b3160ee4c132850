#pragma once

// Window and control style bits that dialog templates and the program's code use. The values
// are the ones the program's templates were written with: code tests some of them bit by bit
// (a picture button reads its button type from the low five bits, for example).

inline constexpr unsigned WS_VISIBLE = 0x10000000;
inline constexpr unsigned WS_DISABLED = 0x08000000;
inline constexpr unsigned WS_BORDER = 0x00800000;
inline constexpr unsigned WS_VSCROLL = 0x00200000;
inline constexpr unsigned WS_HSCROLL = 0x00100000;
inline constexpr unsigned WS_GROUP = 0x00020000;
inline constexpr unsigned WS_TABSTOP = 0x00010000;
// Top-level windows use the two bits of WS_GROUP and WS_TABSTOP for their title-bar boxes.
inline constexpr unsigned WS_MINIMIZEBOX = 0x00020000;
inline constexpr unsigned WS_MAXIMIZEBOX = 0x00010000;

// Buttons: the type in the low five bits.
inline constexpr unsigned BS_TYPEMASK = 0x1F;
inline constexpr unsigned BS_PUSHBUTTON = 0x0;
inline constexpr unsigned BS_DEFPUSHBUTTON = 0x1;
inline constexpr unsigned BS_CHECKBOX = 0x2;
inline constexpr unsigned BS_AUTOCHECKBOX = 0x3;
inline constexpr unsigned BS_RADIOBUTTON = 0x4;
inline constexpr unsigned BS_GROUPBOX = 0x7;
inline constexpr unsigned BS_AUTORADIOBUTTON = 0x9;
inline constexpr unsigned BS_OWNERDRAW = 0xB;

// Statics.
inline constexpr unsigned SS_LEFT = 0x0;
inline constexpr unsigned SS_CENTER = 0x1;
inline constexpr unsigned SS_RIGHT = 0x2;
inline constexpr unsigned SS_ICON = 0x3;
inline constexpr unsigned SS_BITMAP = 0xE;
inline constexpr unsigned SS_TYPEMASK = 0x1F;
inline constexpr unsigned SS_NOTIFY = 0x100;
inline constexpr unsigned SS_ENDELLIPSIS = 0x4000;  // text that does not fit ends in "…"

// Edit boxes.
inline constexpr unsigned ES_MULTILINE = 0x4;
inline constexpr unsigned ES_PASSWORD = 0x20;
inline constexpr unsigned ES_AUTOVSCROLL = 0x40;
inline constexpr unsigned ES_AUTOHSCROLL = 0x80;
inline constexpr unsigned ES_READONLY = 0x800;
inline constexpr unsigned ES_WANTRETURN = 0x1000;
inline constexpr unsigned ES_NUMBER = 0x2000;

// Combo boxes.
inline constexpr unsigned CBS_DROPDOWN = 0x2;
inline constexpr unsigned CBS_DROPDOWNLIST = 0x3;
inline constexpr unsigned CBS_SORT = 0x100;

// List controls.
inline constexpr unsigned LVS_REPORT = 0x1;
inline constexpr unsigned LVS_SINGLESEL = 0x4;
inline constexpr unsigned LVS_SHOWSELALWAYS = 0x8;

// Date pickers.
inline constexpr unsigned DTS_SHOWNONE = 0x2;  // a check box clears the date

// Progress bars.
inline constexpr unsigned PBS_SMOOTH = 0x1;
