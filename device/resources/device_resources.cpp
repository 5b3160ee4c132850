#include "device/resources/device_resources.h"

#include <vector>

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

MenuItemTemplate Command(int id, const char* text) { return {id, QString::fromUtf8(text), {}}; }

MenuItemTemplate Submenu(const char* text, std::vector<MenuItemTemplate> items) {
  return {0, QString::fromUtf8(text), std::move(items)};
}

MenuItemTemplate Website(int homePage, int guide) {
  return Submenu("Website", {Command(homePage, "HomePage"), Command(guide, "Online Guide")});
}

// The two soft keys: the left one sends its command, the right one opens the "Menu" popup.
MenuBarResource SoftKeys(int leftCommand, int leftText, int menuPopup) {
  constexpr int kMenuText = 302;
  return {kMainFrame,
          kMainFrame,
          {{I_IMAGENONE, leftCommand, TBSTATE_ENABLED, TBSTYLE_AUTOSIZE, leftText, NOMENU},
           {I_IMAGENONE, kMenuKey, TBSTATE_ENABLED, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, kMenuText,
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
    {57344, "Velthorn Skeldra"},
    {128, "Velthorn Skeldra"},
    {129, "Please Select Save Path."},
    {130, "Please Select Folder for Backup."},
    {131, "Error occurred. Backup Failed."},
    {132, "Backup Succeeded."},
    {133, "Select Save Path."},
    {134, "Select File Path."},
    {135, "Please Select File Path."},
    {136, "Restore Succeeded."},
    {137, "SMS Account Initialization Failed."},
    {138, "File Validation Failed."},
    {139, "Velthorn Skeldra"},
    {140, kMakerWebAddress},
    {142, "Exit"},
    {302, "Menu"},
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
    {57344, "Marrowind"},
    {128, "Marrowind\n\nMarrowind\n\n\nMarrowind.Document\nMarrowind.Document"},
    {130, "Select Save Path."},
    {131, "Select Restore File."},
    {132, "Please input the save file's name!"},
    {133, "Backup succeed."},
    {134, "Marrowind"},
    {135, kMakerWebAddress},
    {136, "Please select the restore file!"},
    {137, "File Validation Failed."},
    {138, "Restore succeed."},
    {301, "EXIT"},
    {302, "Menu"},
};

const StringResource kOrvanelStrings[] = {
    {57344, "Orvanel"},
    {128, "Orvanel\n\nOrvanel\n\n\nOrvanel.Document\nOrvanel.Document"},
    {301, "EXIT"},
    {302, "Menu"},
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

// The left soft key of Marrowind and Orvanel: the class library's exit, string 301 "EXIT".
const MenuBarResource& MarrowindSoftKeys() {
  static const MenuBarResource bar = SoftKeys(kAppExit, 301, 0);
  return bar;
}

}  // namespace

const ResourceModule& SkeldraResources() {
  static const MenuBarResource bar = SoftKeys(kSkeldraExit, 142, 1);
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
