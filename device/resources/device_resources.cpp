#include "device/resources/device_resources.h"

#include <vector>

#include "device/resources/marrowind_string_ids.h"
#include "device/resources/orvanel_string_ids.h"
#include "device/resources/skeldra_string_ids.h"

namespace {

// Our artwork is drawn for 96 pixels per inch and declares no resolution of its own.
constexpr std::span<const BitmapResolution> kNoDeclaredResolutions;

// Menu 128's commands.
constexpr int kSkeldraExit = 32785;
constexpr int kSkeldraBackup = 32786;
constexpr int kSkeldraRestore = 32787;
constexpr int kSkeldraHomePage = 32791;
constexpr int kSkeldraGuide = 32792;
constexpr int kMarrowindBackup = 32777;
constexpr int kMarrowindRestore = 32776;
constexpr int kOrvanelSkeldra = 32777;
constexpr int kOrvanelMarrowind = 32778;
constexpr int kHomePage = 32773;
constexpr int kGuide = 32774;
constexpr int kAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kMenuKey = 402;

constexpr int kMainFrame = 128;
constexpr int kAppTitle = 57344;

MenuItemTemplate Command(int id, const char* text) { return {id, QString::fromUtf8(text), {}}; }

MenuItemTemplate Submenu(const char* text, std::vector<MenuItemTemplate> items) {
  return {0, QString::fromUtf8(text), std::move(items)};
}

MenuItemTemplate Website(int homePage, int guide) {
  return Submenu("Website", {Command(homePage, "HomePage"), Command(guide, "Online Guide")});
}

// The two soft keys: the left one sends its command, the right one opens the "Menu" popup.
MenuBarResource SoftKeys(int leftCommand, int leftText, int menuText, int menuPopup) {
  return {kMainFrame,
          kMainFrame,
          {{I_IMAGENONE, leftCommand, TBSTATE_ENABLED, TBSTYLE_AUTOSIZE, leftText, NOMENU},
           {I_IMAGENONE, kMenuKey, TBSTATE_ENABLED, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, menuText,
            menuPopup}}};
}

// --- Skeldra ---

const ImageResource kSkeldraIcons[] = {
    {kMainFrame, ":/device/icons/skeldra.svg", 32, 32},
};

const ImageResource kSkeldraBitmaps[] = {
    {145, ":/device/bitmaps/sms_backup.svg", 128, 64},
    {146, ":/device/bitmaps/sms_backup.svg", 144, 72},
    {133, ":/device/bitmaps/sms_restore.svg", 128, 64},
    {144, ":/device/bitmaps/sms_restore.svg", 144, 72},
    {147, ":/device/bitmaps/exit.svg", 128, 64},
    {148, ":/device/bitmaps/exit.svg", 144, 72},
    {150, ":/device/bitmaps/separator_stretched.svg", 200, 2},
};

const StringResource kSkeldraStrings[] = {
    {kAppTitle, "Velthorn Skeldra"},
    {kMainFrame, "Velthorn Skeldra"},
    {skeldra_strings::kSelectSavePath, "Please Select Save Path."},
    {skeldra_strings::kSelectFolder, "Please Select Folder for Backup."},
    {skeldra_strings::kBackupFailed, "Error occurred. Backup Failed."},
    {skeldra_strings::kBackupSucceeded, "Backup Succeeded."},
    {skeldra_strings::kSelectSavePathTitle, "Select Save Path."},
    {skeldra_strings::kSelectFilePathTitle, "Select File Path."},
    {skeldra_strings::kSelectFilePath, "Please Select File Path."},
    {skeldra_strings::kRestoreSucceeded, "Restore Succeeded."},
    {skeldra_strings::kNoSmsAccount, "SMS Account Initialization Failed."},
    {skeldra_strings::kValidationFailed, "File Validation Failed."},
    {skeldra_strings::kProgressTitle, "Velthorn Skeldra"},
    {skeldra_strings::kMakerAddress, kMakerWebAddress},
    {skeldra_strings::kExitKey, "Exit"},
    {skeldra_strings::kMenuKey, "Menu"},
};

const std::vector<MenuResource>& SkeldraMenus() {
  static const std::vector<MenuResource> menus = {
      {kMainFrame,
       {Submenu("Buttons", {Command(kSkeldraExit, "&Exit")}),
        Submenu("Menu", {Command(kSkeldraBackup, "&Backup Messages"),
                         Command(kSkeldraRestore, "&Restore Messages"),
                         Website(kSkeldraHomePage, kSkeldraGuide), Command(kAbout, "About")})}},
  };
  return menus;
}

// --- Marrowind and Orvanel: one form, their own pictures and menus ---

const ImageResource kMarrowindIcons[] = {
    {kMainFrame, ":/device/icons/marrowind.svg", 32, 32},
};

const ImageResource kOrvanelIcons[] = {
    {kMainFrame, ":/device/icons/orvanel.svg", 32, 32},
};

const ImageResource kMarrowindBitmaps[] = {
    {135, ":/device/bitmaps/contacts_backup.svg", 128, 64},
    {134, ":/device/bitmaps/contacts_backup.svg", 144, 72},
    {132, ":/device/bitmaps/contacts_restore.svg", 128, 64},
    {133, ":/device/bitmaps/contacts_restore.svg", 144, 72},
    {136, ":/device/bitmaps/exit.svg", 128, 64},
    {137, ":/device/bitmaps/exit.svg", 144, 72},
    {131, ":/device/bitmaps/separator_line.svg", 960, 2},
};

const ImageResource kOrvanelBitmaps[] = {
    {135, ":/device/bitmaps/launch_skeldra.svg", 128, 64},
    {134, ":/device/bitmaps/launch_skeldra.svg", 144, 72},
    {132, ":/device/bitmaps/launch_marrowind.svg", 128, 64},
    {133, ":/device/bitmaps/launch_marrowind.svg", 144, 72},
    {136, ":/device/bitmaps/exit.svg", 128, 64},
    {137, ":/device/bitmaps/exit.svg", 144, 72},
    {131, ":/device/bitmaps/separator_line.svg", 960, 2},
};

const StringResource kMarrowindStrings[] = {
    {kAppTitle, "Marrowind"},
    {kMainFrame, "Marrowind\n\nMarrowind\n\n\nMarrowind.Document\nMarrowind.Document"},
    {marrowind_strings::kSaveTitle, "Select Save Path."},
    {marrowind_strings::kRestoreTitle, "Select Restore File."},
    {marrowind_strings::kEmptySavePath, "Please input the save file's name!"},
    {marrowind_strings::kBackupSucceeded, "Backup succeed."},
    {marrowind_strings::kProgressTitle, "Marrowind"},
    {marrowind_strings::kMakerAddress, kMakerWebAddress},
    {marrowind_strings::kEmptyRestorePath, "Please select the restore file!"},
    {marrowind_strings::kValidationFailed, "File Validation Failed."},
    {marrowind_strings::kRestoreSucceeded, "Restore succeed."},
    {marrowind_strings::kExitKey, "EXIT"},
    {marrowind_strings::kMenuKey, "Menu"},
};

const StringResource kOrvanelStrings[] = {
    {kAppTitle, "Orvanel"},
    {kMainFrame, "Orvanel\n\nOrvanel\n\n\nOrvanel.Document\nOrvanel.Document"},
    {orvanel_strings::kExitKey, "EXIT"},
    {orvanel_strings::kMenuKey, "Menu"},
};

const std::vector<MenuResource>& MarrowindMenus() {
  static const std::vector<MenuResource> menus = {
      {kMainFrame,
       {Submenu("Menu", {Command(kMarrowindBackup, "&Backup Contacts"),
                         Command(kMarrowindRestore, "&Restore Contacts"),
                         Website(kHomePage, kGuide), Command(kAbout, "About ")})}},
  };
  return menus;
}

const std::vector<MenuResource>& OrvanelMenus() {
  static const std::vector<MenuResource> menus = {
      {kMainFrame,
       {Submenu("Menu",
                {Command(kOrvanelSkeldra, "Skeldra"), Command(kOrvanelMarrowind, "Marrowind"),
                 Website(kHomePage, kGuide), Command(kAbout, "About ")})}},
  };
  return menus;
}

// The soft keys of Marrowind and Orvanel, whose tables hold their texts under the same ids: the
// left one is the class library's exit, "EXIT".
const MenuBarResource& MarrowindSoftKeys() {
  static_assert(orvanel_strings::kExitKey == marrowind_strings::kExitKey &&
                orvanel_strings::kMenuKey == marrowind_strings::kMenuKey);
  static const MenuBarResource bar =
      SoftKeys(kAppExit, marrowind_strings::kExitKey, marrowind_strings::kMenuKey, 0);
  return bar;
}

}  // namespace

const ResourceModule& SkeldraResources() {
  static const MenuBarResource bar =
      SoftKeys(kSkeldraExit, skeldra_strings::kExitKey, skeldra_strings::kMenuKey, 1);
  static const ResourceTable table{
      kSkeldraIcons, kSkeldraBitmaps, {}, kSkeldraStrings, SkeldraMenus()};
  static const ResourceModule module{&table, {&bar, 1}, kNoDeclaredResolutions, {}};
  return module;
}

const ResourceModule& MarrowindResources() {
  static const ResourceTable table{
      kMarrowindIcons, kMarrowindBitmaps, {}, kMarrowindStrings, MarrowindMenus()};
  static const ResourceModule module{&table, {&MarrowindSoftKeys(), 1}, kNoDeclaredResolutions, {}};
  return module;
}

const ResourceModule& OrvanelResources() {
  static const ResourceTable table{
      kOrvanelIcons, kOrvanelBitmaps, {}, kOrvanelStrings, OrvanelMenus()};
  static const ResourceModule module{&table, {&MarrowindSoftKeys(), 1}, kNoDeclaredResolutions, {}};
  return module;
}
