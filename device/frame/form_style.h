#pragma once

#include <array>

// The two forms of the phone programs' main window, with everything that goes with each: the
// ids of the form's controls, its layout widths, button bitmaps, the ids of the progress dialog,
// the frame's commands and the strings the frame shows.
//   kSkeldra: separators painted by CMyStatic (bitmap 150), plain labels in derived fonts.
//   kMarrowind: separators as template bitmaps (131) and eight CColorLabel labels; Orvanel uses
//   it too.
enum class FormStyle { kSkeldra, kMarrowind };

struct FormControlIds {
  int maker;
  int name;
  std::array<int, 4> separators;    // top to bottom
  std::array<int, 3> buttons;       // backup, restore, exit (made at run time)
  std::array<int, 3> titles;        // beside the three buttons
  std::array<int, 2> descriptions;  // beside the backup and restore buttons
  int link;
};

// Widths and heights (at 96 pixels per inch) where the two forms differ.
struct FormLayoutSizes {
  int makerWidth;
  int nameWidth;
  int separatorWidth;
  int titleWidth;
  int descriptionHeight;
  int linkHeight;
  int buttonCreateTop;  // where the buttons are made, before the first layout
};

// A button's two-image strip (normal, pressed) for screens below 800 pixels high and for
// larger ones.
struct ButtonBitmaps {
  int small;
  int large;
};

struct ProgressDialogIds {
  int bar;
  int number;
  int percent;
  int firstLine;
  int secondLine;
  int firstLineString;   // the program's name
  int secondLineString;  // the maker's web address
};

struct FormStyleTraits {
  FormControlIds ids;
  FormLayoutSizes sizes;
  std::array<ButtonBitmaps, 3> buttonBitmaps;
  int separatorBitmap;  // kSkeldra: painted by CMyStatic; kMarrowind: the template's image
  int formWidth;        // dialog template 101, dialog units
  int formHeight;
  int aboutIcon;  // control of the About box's icon
  int aboutLandscapeWidth;
  int aboutLandscapeHeight;
  ProgressDialogIds progress;
  int exitCommand;       // the left soft key's command: closes the main window
  int homePageCommand;   // "Website" > "HomePage"
  int guideCommand;      // "Website" > "Online Guide"
  int frameTitleString;  // set as the frame's title at creation; 0: none
  int linkString;        // replaces the link line's template text; 0: none
};

const FormStyleTraits& StyleTraits(FormStyle style);

// Resource and command ids every phone program shares.
inline constexpr int IDR_MAINFRAME = 128;  // menu, menu bar, document string and icon
inline constexpr int IDD_MAIN_FORM = 101;
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_ABOUTBOX_WIDE = 200;
inline constexpr int IDD_PROGRESS = 138;
inline constexpr int IDC_ABOUT_TEXT = 202;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int AFX_IDS_APP_TITLE = 57344;
