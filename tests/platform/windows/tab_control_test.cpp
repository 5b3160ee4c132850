#include "platform/windows/tab_control.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TabControl, ReportsOnlyTheUsersChoices) {
  CTabCtrl tabs;
  tabs.resize(300, 200);
  int changes = 0;
  tabs.onSelChange = [&] { ++changes; };
  EXPECT_EQ(tabs.InsertItem(0, "First Config"), 0);
  EXPECT_EQ(tabs.InsertItem(1, "Second Config"), 1);
  EXPECT_EQ(tabs.GetItemCount(), 2);
  EXPECT_EQ(tabs.GetCurSel(), 0);
  tabs.SetCurSel(1);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_EQ(changes, 0);

  tabs.show();
  QTest::mouseClick(tabs.TabBar(), Qt::LeftButton, {}, tabs.TabBar()->tabRect(0).center());
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_EQ(changes, 1);
}

}  // namespace
