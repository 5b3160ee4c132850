#pragma once

// Resource ids of the desktop program: icons, bitmaps, cursors, menus and strings.

// Icons.
inline constexpr int kIconApp = 128;
inline constexpr int kIconSuccess = 162;
inline constexpr int kIconError = 172;
inline constexpr int kIconDeletePicture = 170;
inline constexpr int kIconWarning = 32515;  // the system's warning icon
inline constexpr int kIconPageBack = 144;
inline constexpr int kIconPageFront = 146;
inline constexpr int kIconPageFirst = 151;
inline constexpr int kIconPageLast = 152;
inline constexpr int kIconFilterUnmarked = 183;
inline constexpr int kIconFilterMarked = 184;

// Bitmaps.
inline constexpr int kBitmapYesRest = 187;
inline constexpr int kBitmapYesHover = 189;
inline constexpr int kBitmapNoRest = 188;
inline constexpr int kBitmapNoHover = 190;
inline constexpr int kBitmapDefaultPicture = 161;  // a contact without a picture
inline constexpr int kBitmapCardPhone = 140;
inline constexpr int kBitmapCardPhoneSelected = 160;
inline constexpr int kBitmapCardSim = 165;
inline constexpr int kBitmapCardSimSelected = 166;
inline constexpr int kBitmapViewButtonHover = 175;
inline constexpr int kBitmapViewButtonRest = 176;
inline constexpr int kBitmapPaneFilter = 177;
inline constexpr int kBitmapPaneTop = 179;
inline constexpr int kBitmapPaneSearch = 185;
inline constexpr int kBitmapSearch = 191;

// Cursors.
inline constexpr int kCursorHand = 148;

// Menus.
inline constexpr int kMenuMain = 128;
inline constexpr int kMenuCardView = 131;
inline constexpr int kMenuCard = 132;
inline constexpr int kMenuList = 155;
inline constexpr int kMenuAddDialog = 180;
inline constexpr int kMenuModifyDialog = 181;

// Strings.
inline constexpr int kStringAppTitle = 57344;
inline constexpr int kStringDocTemplate = 128;

// Commands.
inline constexpr int ID_FILE_IMPORT = 32789;
inline constexpr int ID_EXPORT_CBK_TXT = 32803;
inline constexpr int ID_EXPORT_CSV = 32802;
inline constexpr int ID_EXPORT_VCARD = 32806;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_CARDVIEW_ADD = 32785;
inline constexpr int ID_CARD_MODIFY = 32783;
inline constexpr int ID_CARD_DELETE = 32786;
inline constexpr int ID_LIST_ADD = 32779;
inline constexpr int ID_LIST_MODIFY = 32780;
inline constexpr int ID_LIST_DELETE = 32781;
inline constexpr int ID_ADD_SAVE = 32792;
inline constexpr int ID_ADD_CANCEL = 32793;
inline constexpr int ID_MODIFY_SAVE = 32794;
inline constexpr int ID_MODIFY_CANCEL = 32795;
