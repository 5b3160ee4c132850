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

// Each test starts from the version class the program runs with and gets it back afterwards.
class OwnerDrawnMenuTest : public ::testing::Test {
 protected:
  void TearDown() override { OmbraMenu::s_nVersionClass = versionClass_; }

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

  const int versionClass_ = OmbraMenu::s_nVersionClass;
};

TEST_F(OwnerDrawnMenuTest, VersionClasses) {
  struct Case {
    SystemVersion version;
    int expected;
  };
  const Case cases[] = {
      {{false, 3, 95}, 0},      {{false, 4, 0}, 2}, {{false, 4, 10}, 3},
      {{false, 4, 90}, 4},      {{false, 5, 0}, 2}, {{false, 4, 10, false}, 2},
      {{true, 4, 0}, 5},        {{true, 5, 0}, 6},  {{true, 5, 1}, 7},
      {{true, 5, 2}, 1},        {{true, 6, 1}, 1},  {{true, 10, 0}, 1},
      {{true, 5, 1, false}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyWindowsVersion(c.version), c.expected)
        << c.version.nt << " " << c.version.major << "." << c.version.minor;
  }
  // This platform answers as a current NT desktop.
  EXPECT_EQ(versionClass_, 1);
}

TEST_F(OwnerDrawnMenuTest, ClassicThemeFileInAnyCase) {
  EXPECT_TRUE(IsClassicThemeFile("Windows Classic.theme"));
  EXPECT_TRUE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\windows CLASSIC.Theme"));
  EXPECT_FALSE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\Luna.theme"));
  EXPECT_FALSE(IsClassicThemeFile("Classic.theme"));
  EXPECT_FALSE(IsClassicThemeFile(""));
}

TEST_F(OwnerDrawnMenuTest, LightenMovesEachChannelTowardsWhite) {
  EXPECT_EQ(Lighten(QColor(0, 100, 255), 0.5), QColor(127, 177, 255));
  EXPECT_EQ(Lighten(QColor(10, 20, 30), 1.0), QColor(255, 255, 255));
  EXPECT_EQ(Lighten(QColor(10, 20, 30), 0.0), QColor(10, 20, 30));
  EXPECT_EQ(Lighten(QColor(10, 20, 30), 1.5), QColor(10, 20, 30));
}

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

  // Class 1, every NT version after 5.1, measures without the menu font.
  OmbraMenu::s_nVersionClass = 1;
  EXPECT_EQ(measure(separator), QSize(0, std::max(barHeight / 2, (15 + 4) / 2)));
  int plainWidth = QFontMetrics(QApplication::font()).horizontalAdvance(text.text);
  EXPECT_EQ(measure(text), QSize(plainWidth + 2 * 16 + 1, std::max(barHeight, 15 + 4)));
  // Class 7 measures in the menu font, with the flat look's spacing.
  OmbraMenu::s_nVersionClass = 7;
  int menuWidth = QFontMetrics(big).horizontalAdvance(text.text);
  EXPECT_GT(menuWidth, plainWidth);
  EXPECT_EQ(measure(text), QSize(menuWidth + 16 + 7 + 8, std::max(barHeight, 15 + 7)));
  // Class 0 does not measure the text at all.
  OmbraMenu::s_nVersionClass = 0;
  EXPECT_EQ(measure(text).width(), 2 * 16 + 1);
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

TEST_F(OwnerDrawnMenuTest, FlatLookOfVersionClass7) {
  OmbraMenu::s_nVersionClass = 7;
  OmbraMenu menu;
  QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
  OmbraMenuData item = Item("&Modify selected record");

  QImage rest = Drawn(menu, item, 0);
  EXPECT_EQ(rest.pixel(2, 2), System(QPalette::Button));  // the picture column
  EXPECT_EQ(rest.pixel(155, 2), System(QPalette::Base));
  QImage selected = Drawn(menu, item, ODS_SELECTED);
  EXPECT_EQ(selected.pixel(0, 0), highlight.rgb());
  EXPECT_EQ(selected.pixel(155, 2), Lighten(highlight, 0.7).rgb());
  // A disabled item is drawn as not selected.
  EXPECT_EQ(Drawn(menu, item, ODS_SELECTED | ODS_GRAYED), Drawn(menu, item, ODS_GRAYED));
  QImage checked = Drawn(menu, item, ODS_CHECKED);
  EXPECT_EQ(checked.pixel(1, 4), Lighten(highlight, 0.85).rgb());

  QImage separator = Drawn(menu, Item("", MF_SEPARATOR), 0, QSize(100, 9));
  EXPECT_EQ(separator.pixel(16 + 7 + 7, 4), System(QPalette::Dark));
  EXPECT_EQ(separator.pixel(16 + 7 + 6, 4), System(QPalette::Base));
}

TEST_F(OwnerDrawnMenuTest, PopupDrawsAndMeasuresItsItemsItself) {
  for (int versionClass : {1, 7}) {
    OmbraMenu::s_nVersionClass = versionClass;
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
    QString name = versionClass == 7 ? "owner_drawn_menu_flat" : "owner_drawn_menu_classic";
    SaveScreenshot(transfer, name);
    QImage shown = transfer->grab().toImage();
    QPoint inImport = transfer->actionGeometry(transfer->actions().at(0)).topRight();
    QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
    QColor expected = versionClass == 7 ? Lighten(highlight, 0.7) : highlight;
    EXPECT_EQ(shown.pixel(inImport + QPoint(-3, 3)), expected.rgb());
  }
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
