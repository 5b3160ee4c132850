#include "platform/device/shell/command_bar.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

#include "platform/device/shell/resource_module.h"
#include "tests/support/device_testing.h"
#include "tests/support/scripted_services.h"

namespace {

const StringResource kStrings[] = {{301, "EXIT"}, {302, "Menu"}};

const std::vector<MenuResource>& Menus() {
  static const std::vector<MenuResource> menus = {
      {128,
       {{0, "Buttons", {{7, "&Exit", {}}}},
        {0, "Menu", {{11, "&Backup", {}}, {0, "Website", {{12, "HomePage", {}}}}}}}},
  };
  return menus;
}

const MenuBarResource kBars[] = {
    {128,
     128,
     {{I_IMAGENONE, 57665, TBSTATE_ENABLED, TBSTYLE_AUTOSIZE, 301, NOMENU},
      {I_IMAGENONE, 402, TBSTATE_ENABLED, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, 302, 1}}},
    {129, 999, {}},  // its menu is missing
};

class CommandBarTest : public ::testing::Test {
 protected:
  CommandBarTest() : table_{{}, {}, {}, kStrings, Menus()}, module_{&table_, kBars, {}, {}} {
    InstallResourceModule(&module_);
    bar_.onCommand = [this](int id) { commands_.push_back(id); };
    bar_.resize(240, CCommandBar::BarHeight());
  }
  ~CommandBarTest() override { InstallResourceModule(nullptr); }

  ResourceTable table_;
  ResourceModule module_;
  CCommandBar bar_;
  std::vector<int> commands_;
  ScriptedServices script_;
};

TEST_F(CommandBarTest, TheLeftKeySendsItsCommand) {
  ASSERT_TRUE(bar_.InsertMenuBar(128));
  ASSERT_EQ(bar_.KeyCount(), 2);
  EXPECT_EQ(bar_.Key(0)->text().toStdString(), "EXIT");
  EXPECT_EQ(bar_.Key(1)->text().toStdString(), "Menu");
  bar_.Key(0)->click();
  EXPECT_EQ(commands_, std::vector<int>{57665});
}

TEST_F(CommandBarTest, TheRightKeyOpensItsSubmenuAndSendsTheChoice) {
  ASSERT_TRUE(bar_.InsertMenuBar(128));
  script_.ExpectMenu([](QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) texts << action->text();
    EXPECT_EQ(texts.join('|').toStdString(), "&Backup|Website");
    return 12;
  });
  script_.ExpectMenu([](QMenu*) { return 0; });  // dismissed: nothing is sent
  bar_.Key(1)->click();
  bar_.Key(1)->click();
  EXPECT_EQ(commands_, std::vector<int>{12});
}

TEST_F(CommandBarTest, KeysSplitTheBarAndScaleWithTheScreen) {
  ASSERT_TRUE(bar_.InsertMenuBar(128));
  EXPECT_EQ(bar_.Key(0)->geometry(), QRect(0, 0, 120, 26));
  EXPECT_EQ(bar_.Key(1)->geometry(), QRect(120, 0, 120, 26));
  ScopedPhoneScreen screen({480, 800, 192});
  EXPECT_EQ(CCommandBar::BarHeight(), 52);
}

TEST_F(CommandBarTest, TheMenuTextGrowsWithTheScreen) {
  ASSERT_TRUE(bar_.InsertMenuBar(128));
  std::vector<int> sizes;
  auto record = [&sizes](QMenu* menu) {
    EXPECT_EQ(menu->actions().at(1)->menu()->font(), menu->font());  // the "Website" submenu
    sizes.push_back(menu->font().pixelSize());
    return 0;
  };
  script_.ExpectMenu(record);
  script_.ExpectMenu(record);
  bar_.Key(1)->click();
  ScopedPhoneScreen screen({480, 800, 192});
  bar_.Key(1)->click();
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[1], 2 * sizes[0]);
}

TEST_F(CommandBarTest, AMissingResourceOrMenuGivesNoBar) {
  EXPECT_FALSE(bar_.InsertMenuBar(130));
  EXPECT_FALSE(bar_.InsertMenuBar(129));
  EXPECT_EQ(bar_.KeyCount(), 0);
}

}  // namespace
