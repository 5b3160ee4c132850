#include "platform/windows/combo_box.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/windows/window_styles.h"

namespace {

QStringList Items(const QComboBox& combo) {
  QStringList items;
  for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
  return items;
}

TEST(ComboBox, SortedListKeepsItsItemsInOrderIgnoringCase) {
  CComboBox sorted(CBS_DROPDOWN | CBS_SORT);
  EXPECT_EQ(sorted.AddString("beta"), 0);
  EXPECT_EQ(sorted.AddString("Alpha"), 0);
  EXPECT_EQ(sorted.AddString("Gamma"), 2);
  EXPECT_EQ(sorted.AddString("beta"), 2);
  EXPECT_EQ(Items(sorted), QStringList({"Alpha", "beta", "beta", "Gamma"}));

  CComboBox unsorted(CBS_DROPDOWNLIST);
  unsorted.AddString("b");
  EXPECT_EQ(unsorted.AddString("a"), 1);
  EXPECT_EQ(Items(unsorted), QStringList({"b", "a"}));
  EXPECT_FALSE(unsorted.isEditable());
}

TEST(ComboBox, AddingNeverChangesTheSelectionOrTheTypedText) {
  CComboBox combo(CBS_DROPDOWN | CBS_SORT);
  combo.setEditText("typed");
  combo.AddString("first");
  EXPECT_EQ(combo.currentIndex(), -1);
  EXPECT_EQ(combo.currentText(), "typed");

  combo.setCurrentIndex(0);
  combo.AddString("a before it");
  EXPECT_EQ(combo.currentText(), "first");
}

TEST(ComboBox, EnterDoesNotAddTheTypedText) {
  CComboBox combo(CBS_DROPDOWN | CBS_SORT);
  combo.AddString("listed");
  combo.show();
  combo.setEditText("");
  QTest::keyClicks(combo.lineEdit(), "typed");
  QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
  EXPECT_EQ(Items(combo), QStringList({"listed"}));
  EXPECT_EQ(combo.currentText(), "typed");
}

}  // namespace
