#include "desktop/widgets/owner_drawn_menu.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/widgets/picture_button.h"
#include "platform/windows/menu.h"
#include "tests/support/scripted_services.h"

namespace {

constexpr int kExecute = MNC_EXECUTE << 16;

QRgb System(QPalette::ColorRole role) { return QGuiApplication::palette().color(role).rgb(); }

// The menu as this system draws it: the classic look (the flat look belongs to a system version
// that no machine running this program has).
class OwnerDrawnMenuTest : public ::testing::Test {
 protected:
  // The popup of a loaded menu's top-level item.
  static QMenu* PopupOf(const OmbraMenu& menu, int position) {
    return menu.GetMenu()->actions().at(position)->menu();
  }

  // An item of `size` drawn on a white image.
  static QImage Drawn(OmbraMenu& menu, const OmbraMenuData& item, unsigned state,
                      QSize size = QSize(160, 22)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawItemStruct dis{&painter, image.rect(), state, &item};
    menu.DrawItem(&dis);
    painter.end();
    return image;
  }

  static OmbraMenuData Item(const QString& text, unsigned flags = MF_OWNERDRAW) {
    OmbraMenuData item;
    item.text = text;
    item.flags = flags;
    return item;
  }
};

TEST_F(OwnerDrawnMenuTest, LoadMenuKeepsARecordPerItemAndRegistersItsPopups) {
  OmbraMenu menu;
  EXPECT_EQ(menu.GetMenu(), nullptr);
  EXPECT_FALSE(menu.LoadMenu(999));
  EXPECT_FALSE(menu.LoadMenu("MAINMENU"));
  ASSERT_TRUE(menu.LoadMenu("#128"));

  ASSERT_EQ(menu.Records().size(), 2u);
  QMenu* transfer = PopupOf(menu, 0);
  QMenu* about = PopupOf(menu, 1);
  const OmbraMenuData& top = *menu.Records()[0];
  EXPECT_EQ(top.text, "Transfer Tool");
  EXPECT_EQ(top.flags, MF_POPUP | MF_OWNERDRAW);
  EXPECT_EQ(top.commandId, reinterpret_cast<quintptr>(transfer));
  EXPECT_EQ(top.sharedPictureIndex, -1);
  EXPECT_TRUE(OmbraMenu::IsMenu(transfer));
  EXPECT_TRUE(OmbraMenu::IsMenu(about));
  EXPECT_TRUE(OmbraMenu::IsMenu(PopupOf(menu, 0)->actions().at(1)->menu()));  // Export
  EXPECT_FALSE(OmbraMenu::IsMenu(menu.GetMenu()));

  // The commands carry their ids, as every menu of the program does.
  QAction* exit = FindCommand(menu.GetMenu(), ID_APP_EXIT);
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->text(), "E&xit");
  EXPECT_TRUE(transfer->actions().at(2)->isSeparator());

  menu.DestroyMenu();
  EXPECT_EQ(menu.GetMenu(), nullptr);
  EXPECT_TRUE(menu.Records().empty());
  EXPECT_FALSE(OmbraMenu::IsMenu(transfer));
  EXPECT_FALSE(OmbraMenu::IsMenu(about));
  menu.DestroyMenu();
}

TEST_F(OwnerDrawnMenuTest, AppendedItemsAndSeparators) {
  OmbraMenu menu;
  EXPECT_TRUE(menu.AppendODMenu("&Open\tCtrl+O", MF_CHECKED | MF_GRAYED, 7));
  EXPECT_TRUE(menu.AppendODMenu("ignored", MF_CHECKED | MF_BYPOSITION, 0));
  ASSERT_EQ(menu.Records().size(), 2u);
  EXPECT_EQ(menu.Records()[0]->flags, MF_CHECKED | MF_GRAYED | MF_OWNERDRAW);
  EXPECT_EQ(menu.Records()[1]->flags, MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION);
  QAction* open = menu.GetMenu()->actions().at(0);
  EXPECT_FALSE(open->isEnabled());
  EXPECT_TRUE(open->isChecked());
  EXPECT_EQ(open->data().toInt(), 7);
  EXPECT_TRUE(menu.GetMenu()->actions().at(1)->isSeparator());
}

TEST_F(OwnerDrawnMenuTest, MenuCharacterChoosesTheItemOfItsAccessKey) {
  OmbraMenu menu;
  ASSERT_TRUE(menu.LoadMenu(kMenuMain));
  QMenu* transfer = PopupOf(menu, 0);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('x', MF_POPUP, transfer), kExecute | 3);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('X', MF_POPUP, transfer), kExecute | 3);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('a', MF_POPUP, PopupOf(menu, 1)), kExecute | 0);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('q', MF_POPUP, transfer), MNC_IGNORE);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('x', 0, transfer), MNC_IGNORE);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('t', MF_POPUP, menu.GetMenu()), MNC_IGNORE);

  // An item put into the menu some other way gets its record first.
  transfer->insertAction(transfer->actions().at(0), new QAction("&Zoom", transfer));
  transfer->actions().at(1)->setText("Im&port");
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('z', MF_POPUP, transfer), kExecute | 0);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('p', MF_POPUP, transfer), kExecute | 1);
  EXPECT_EQ(OmbraMenu::FindKeyboardShortcut('x', MF_POPUP, transfer), kExecute | 4);
}

TEST_F(OwnerDrawnMenuTest, MeasuresSeparatorsAndTexts) {
  const QFont menuFont = QApplication::font("QMenu");
  QFont big = QApplication::font();
  big.setPointSize(big.pointSize() * 3);
  QApplication::setFont(big, "QMenu");
  OmbraMenu menu;
  OmbraMenuData separator = Item("", MF_SEPARATOR | MF_OWNERDRAW);
  OmbraMenuData text = Item("Delete selected record");
  int barHeight = QFontMetrics(big).height() + 4;
  auto measure = [&](const OmbraMenuData& item) {
    MeasureItemStruct mis{ODT_MENU, 1, -1, -1, &item};
    menu.MeasureItem(&mis);
    return QSize(mis.itemWidth, mis.itemHeight);
  };

  // Measured without the menu font.
  EXPECT_EQ(measure(separator), QSize(0, std::max(barHeight / 2, (15 + 4) / 2)));
  int plainWidth = QFontMetrics(QApplication::font()).horizontalAdvance(text.text);
  EXPECT_EQ(measure(text), QSize(plainWidth + 2 * 16 + 1, std::max(barHeight, 15 + 4)));
  QApplication::setFont(menuFont, "QMenu");
}

TEST_F(OwnerDrawnMenuTest, ClassicLook) {
  OmbraMenu menu;
  QRgb menuColor = System(QPalette::Window);
  QRgb highlight = System(QPalette::Highlight);
  OmbraMenuData item = Item("&Modify selected record");

  QImage rest = Drawn(menu, item, 0);
  EXPECT_EQ(rest.pixel(155, 2), menuColor);
  QImage selected = Drawn(menu, item, ODS_SELECTED);
  EXPECT_EQ(selected.pixel(2, 2), highlight);
  EXPECT_EQ(selected.pixel(155, 2), highlight);
  // A checked item keeps its mark's column out of the highlight.
  QImage checked = Drawn(menu, item, ODS_SELECTED | ODS_CHECKED);
  EXPECT_EQ(checked.pixel(2, 2), menuColor);
  EXPECT_EQ(checked.pixel(16 + 5, 2), highlight);
  EXPECT_NE(rest, Drawn(menu, item, ODS_GRAYED));

  QImage separator = Drawn(menu, Item("", MF_SEPARATOR), 0, QSize(100, 9));
  EXPECT_EQ(separator.pixel(50, 4), System(QPalette::Dark));
  EXPECT_EQ(separator.pixel(50, 5), System(QPalette::Light));
  EXPECT_EQ(separator.pixel(50, 1), menuColor);
}

TEST_F(OwnerDrawnMenuTest, PopupDrawsAndMeasuresItsItemsItself) {
  OmbraMenu menu;
  ASSERT_TRUE(menu.LoadMenu(kMenuMain));
  QMenu* transfer = PopupOf(menu, 0);
  transfer->setActiveAction(transfer->actions().at(0));
  transfer->adjustSize();
  OmbraMenuData import = Item("Import");
  MeasureItemStruct mis{ODT_MENU, ID_FILE_IMPORT, 0, 0, &import};
  menu.MeasureItem(&mis);
  EXPECT_GE(transfer->width(), mis.itemWidth);
  EXPECT_GE(transfer->actionGeometry(transfer->actions().at(2)).height(), 1);  // the separator
  SaveScreenshot(transfer, "owner_drawn_menu");
  QImage shown = transfer->grab().toImage();
  QPoint inImport = transfer->actionGeometry(transfer->actions().at(0)).topRight();
  EXPECT_EQ(shown.pixel(inImport + QPoint(-3, 3)), System(QPalette::Highlight));
}

TEST_F(OwnerDrawnMenuTest, ButtonRoutesMenuQuestionsToItsMenuOnly) {
  CPictureButton button;
  QMenu foreign;
  foreign.addAction("E&xit");
  MeasureItemStruct mis{ODT_MENU, reinterpret_cast<quintptr>(&foreign), -1, -1, nullptr};

  // Nothing fills the button's menu: both questions get the default answer.
  EXPECT_EQ(button.m_menuPopup.GetMenu(), nullptr);
  EXPECT_EQ(button.OnMenuChar('x', MF_POPUP, &foreign), MNC_IGNORE);
  EXPECT_EQ(button.OnMenuChar('x', MF_POPUP, nullptr), MNC_IGNORE);
  button.OnMeasureItem(0, &mis);
  mis.itemID = 0;
  button.OnMeasureItem(0, &mis);
  EXPECT_EQ(QSize(mis.itemWidth, mis.itemHeight), QSize(-1, -1));

  // Once it holds popups, the questions about them reach it.
  ASSERT_TRUE(button.m_menuPopup.LoadMenu(kMenuMain));
  QMenu* transfer = PopupOf(button.m_menuPopup, 0);
  EXPECT_EQ(button.OnMenuChar('x', MF_POPUP, transfer), kExecute | 3);
  OmbraMenuData item = Item("Import");
  mis = {ODT_MENU, reinterpret_cast<quintptr>(transfer), -1, -1, &item};
  button.OnMeasureItem(0, &mis);
  EXPECT_GT(mis.itemWidth, 0);
  mis = {ODT_MENU + 1, reinterpret_cast<quintptr>(transfer), -1, -1, &item};
  button.OnMeasureItem(0, &mis);
  EXPECT_EQ(mis.itemWidth, -1);
}

TEST_F(OwnerDrawnMenuTest, ButtonTakesItsMenuWithItWhenDestroyed) {
  auto* button = new CPictureButton;
  ASSERT_TRUE(button->m_menuPopup.LoadMenu(kMenuMain));
  QMenu* transfer = PopupOf(button->m_menuPopup, 0);
  ASSERT_TRUE(OmbraMenu::IsMenu(transfer));
  delete button;
  EXPECT_FALSE(OmbraMenu::IsMenu(transfer));
}

}  // namespace
