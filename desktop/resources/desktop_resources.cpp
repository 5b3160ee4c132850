#include "desktop/resources/desktop_resources.h"

#include "desktop/resources/resource_ids.h"

namespace {

const ImageResource kIcons[] = {
    {kIconApp, ":/desktop/icons/app_128.svg", 32, 32},
    {kIconSuccess, ":/desktop/icons/success_162.svg", 32, 32},
    {kIconError, ":/desktop/icons/error_172.svg", 32, 32},
    {kIconDeletePicture, ":/desktop/icons/delete_picture_170.svg", 32, 32},
    {kIconWarning, ":/desktop/icons/warning_32515.svg", 32, 32},
    {kIconPageBack, ":/desktop/icons/page_back_144.svg", 32, 32},
    {kIconPageFront, ":/desktop/icons/page_front_146.svg", 32, 32},
    {kIconPageFirst, ":/desktop/icons/page_first_151.svg", 32, 32},
    {kIconPageLast, ":/desktop/icons/page_last_152.svg", 32, 32},
    {kIconFilterUnmarked, ":/desktop/icons/filter_unmarked_183.svg", 16, 16},
    {kIconFilterMarked, ":/desktop/icons/filter_marked_184.svg", 16, 16},
};

const ImageResource kBitmaps[] = {
    {kBitmapYesRest, ":/desktop/bitmaps/yes_rest_187.svg", 34, 34, 0, 0, kMagentaKey},
    {kBitmapYesHover, ":/desktop/bitmaps/yes_hover_189.svg", 34, 34, 0, 0, kMagentaKey},
    {kBitmapNoRest, ":/desktop/bitmaps/no_rest_188.svg", 34, 34, 0, 0, kMagentaKey},
    {kBitmapNoHover, ":/desktop/bitmaps/no_hover_190.svg", 34, 34, 0, 0, kMagentaKey},
    {kBitmapDefaultPicture, ":/desktop/bitmaps/default_picture_161.svg", 130, 150},
    // Drawn over the views' background colour, which shows at their rounded corners.
    {kBitmapCardPhone, ":/desktop/bitmaps/card_phone_140.svg", 200, 260, 0, 0, 0xC8DEF3},
    {kBitmapCardPhoneSelected, ":/desktop/bitmaps/card_phone_selected_160.svg", 200, 260, 0, 0,
     0xC8DEF3},
    {kBitmapCardSim, ":/desktop/bitmaps/card_sim_165.svg", 200, 260, 0, 0, 0xC8DEF3},
    {kBitmapCardSimSelected, ":/desktop/bitmaps/card_sim_selected_166.svg", 200, 260, 0, 0,
     0xC8DEF3},
    {kBitmapViewButtonHover, ":/desktop/bitmaps/view_button_hover_175.svg", 150, 30, 0, 0,
     0xC8DEF3},
    {kBitmapViewButtonRest, ":/desktop/bitmaps/view_button_rest_176.svg", 150, 30, 0, 0, 0xC8DEF3},
    {kBitmapPaneFilter, ":/desktop/bitmaps/pane_filter_177.svg", 150, 42, 0, 0, 0xC8DEF3},
    {kBitmapPaneTop, ":/desktop/bitmaps/pane_top_179.svg", 150, 44, 0, 0, 0xC8DEF3},
    {kBitmapPaneSearch, ":/desktop/bitmaps/pane_search_185.svg", 150, 48, 0, 0, 0xC8DEF3},
    {kBitmapSearch, ":/desktop/bitmaps/search_191.svg", 28, 24, 0, 0, kMagentaKey},
};

const ImageResource kCursors[] = {
    {kCursorHand, ":/desktop/cursors/hand_148.svg", 32, 32, 10, 2},
};

const StringResource kStrings[] = {
    {kStringAppTitle, "Brevantor"},
    {kStringDocTemplate, "Brevantor\nBrevantor\n\n\nBrevantor.Document\nBrevantor.Document"},
};

MenuItemTemplate Command(int id, const char* text) { return {id, QString::fromUtf8(text), {}}; }

MenuItemTemplate Submenu(const char* text, std::vector<MenuItemTemplate> items) {
  return {0, QString::fromUtf8(text), std::move(items)};
}

MenuItemTemplate Separator() { return {}; }

const std::vector<MenuResource>& Menus() {
  static const std::vector<MenuResource> menus = {
      {kMenuMain,
       {Submenu("Transfer Tool",
                {Command(ID_FILE_IMPORT, "Import"),
                 Submenu("Export", {Command(ID_EXPORT_CBK_TXT, "Export cbk/txt File"),
                                    Command(ID_EXPORT_CSV, "Export CSV File"),
                                    Command(ID_EXPORT_VCARD, "Export vCard File")}),
                 Separator(), Command(ID_APP_EXIT, "E&xit")}),
        Submenu("&About", {Command(ID_APP_ABOUT, "&About  Brevantor")})}},
      {kMenuCardView, {Submenu("Add new record", {Command(ID_CARDVIEW_ADD, "Add new record")})}},
      {kMenuCard,
       {Submenu("Modify", {Command(ID_CARD_MODIFY, "Modify selected record"),
                           Command(ID_CARD_DELETE, "Delete selected record")})}},
      {kMenuList,
       {Submenu("RESULTLIST MENU", {Command(ID_LIST_ADD, "Add new record"),
                                    Command(ID_LIST_MODIFY, "Modify selected record"),
                                    Command(ID_LIST_DELETE, "Delete selected record")})}},
      {kMenuAddDialog,
       {Submenu("Tool menu",
                {Command(ID_ADD_SAVE, "Save and Exit"), Command(ID_ADD_CANCEL, "Cancel")})}},
      {kMenuModifyDialog,
       {Submenu("Tool menu",
                {Command(ID_MODIFY_SAVE, "Save and Exit"), Command(ID_MODIFY_CANCEL, "Cancel")})}},
  };
  return menus;
}

}  // namespace

const ResourceTable& DesktopResources() {
  static const ResourceTable table{kIcons, kBitmaps, kCursors, kStrings, Menus()};
  return table;
}
