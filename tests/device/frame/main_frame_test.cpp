#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "device/frame/about_dialog.h"
#include "device/frame/device_program.h"
#include "device/frame/device_view.h"
#include "platform/device/shell/command_bar.h"
#include "platform/device/shell/dialog_item.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/resources.h"
#include "tests/device/frame/frame_testing.h"

namespace {

class MainFrameTest : public FrameTest {
 protected:
  // Opens the right soft key's menu and chooses `command` in it; returns the menu's texts.
  QStringList ChooseFromMenu(int command) {
    QStringList texts;
    script_.ExpectMenu([&texts, command](QMenu* menu) {
      for (QAction* action : menu->actions()) texts << action->text();
      return command;
    });
    Frame().CommandBar()->Key(1)->click();
    return texts;
  }
};

TEST_F(MainFrameTest, SkeldraBarAndTitle) {
  Start(FormStyle::kSkeldra);
  EXPECT_EQ(Frame().windowTitle().toStdString(), "Velthorn Skeldra");
  ASSERT_EQ(Frame().CommandBar()->KeyCount(), 2);
  EXPECT_EQ(Frame().CommandBar()->Key(0)->text().toStdString(), "Exit");
  EXPECT_EQ(Frame().CommandBar()->Key(1)->text().toStdString(), "Menu");
  QStringList menu = ChooseFromMenu(32786);
  EXPECT_EQ(menu.join('|').toStdString(), "&Backup Messages|&Restore Messages|Website|About");
  EXPECT_EQ(commands_, std::vector<int>{32786});
  Frame().CommandBar()->Key(0)->click();
  EXPECT_FALSE(Frame().isVisible());
}

TEST_F(MainFrameTest, MarrowindBarExitsWithTheClassLibrarysCommand) {
  Start(FormStyle::kMarrowind);
  EXPECT_EQ(Frame().windowTitle().toStdString(), "Marrowind");
  EXPECT_EQ(Frame().CommandBar()->Key(0)->text().toStdString(), "EXIT");
  QStringList menu = ChooseFromMenu(32776);
  EXPECT_EQ(menu.join('|').toStdString(), "&Backup Contacts|&Restore Contacts|Website|About ");
  EXPECT_EQ(commands_, std::vector<int>{32776});
  Frame().OnCommand(57665);
  EXPECT_FALSE(Frame().isVisible());
}

TEST_F(MainFrameTest, TheBarSitsUnderTheFormAtTheBottomOfTheScreen) {
  Start(FormStyle::kMarrowind, {480, 800, 192});
  EXPECT_EQ(Frame().size(), QSize(480, 800));
  EXPECT_EQ(Frame().CommandBar()->geometry(), QRect(0, 748, 480, 52));
  EXPECT_EQ(Frame().View()->geometry(), QRect(0, 0, 480, 748));
}

TEST_F(MainFrameTest, OnScreensTooLowForTheFormItScrollsDownToTheLinkLine) {
  struct Case {
    PhoneScreen screen;
    bool scrolls;
    int barWidth;  // grows with the pixels per inch, as the form does
  };
  for (const Case& c : {Case{{240, 320, 96}, false, 0}, Case{{320, 240, 96}, true, 14},
                        Case{{640, 480, 192}, true, 28}}) {
    for (FormStyle style : {FormStyle::kSkeldra, FormStyle::kMarrowind}) {
      SCOPED_TRACE(testing::Message() << c.screen.width << "x" << c.screen.height << " style "
                                      << static_cast<int>(style));
      frame_.reset();
      Start(style, c.screen);
      auto* scroller = Frame().findChild<QScrollArea*>();
      ASSERT_NE(scroller, nullptr);
      QScrollBar* bar = scroller->verticalScrollBar();
      EXPECT_EQ(bar->maximum() > 0, c.scrolls);
      QApplication::processEvents();
      if (c.scrolls) {
        EXPECT_EQ(bar->width(), c.barWidth);
      }
      bar->setValue(bar->maximum());
      QWidget* link = FindDlgItem(Frame().View(), CurrentStyle().ids.link);
      const QRect shown(link->mapTo(&Frame(), QPoint()), link->size());
      EXPECT_GE(shown.top(), 0);
      EXPECT_LT(shown.bottom(), Frame().CommandBar()->y());
    }
  }
}

TEST_F(MainFrameTest, TheMenuAndItsWebsiteSubmenuOpenInsideTheScreen) {
  for (const PhoneScreen& screen :
       {PhoneScreen{240, 320, 96}, PhoneScreen{320, 240, 96}, PhoneScreen{640, 480, 192}}) {
    SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height);
    frame_.reset();
    Start(FormStyle::kMarrowind, screen);
    QRect menuShown;
    QRect submenuShown;
    auto openBoth = [&](QMenu* menu, QPoint position) {
      menu->popup(position);
      QAction* website = menu->actions().at(2);
      menu->setActiveAction(website);
      QTest::keyClick(menu, Qt::Key_Right);
      menuShown = menu->geometry();
      submenuShown = website->menu()->geometry();
      menu->close();
      return 0;
    };
    ModalService scripted = InstallModalService({.runDialog = nullptr, .trackMenu = openBoth});
    Frame().CommandBar()->Key(1)->click();
    InstallModalService(scripted);
    EXPECT_TRUE(Frame().geometry().contains(menuShown));
    EXPECT_TRUE(Frame().geometry().contains(submenuShown));
  }
}

TEST_F(MainFrameTest, WebCommandsOpenTheProgramsPages) {
  UrlRecorder urls;
  Start(FormStyle::kSkeldra);
  Frame().OnCommand(32791);
  Frame().OnCommand(32792);
  Frame().OnCommand(32773);  // Marrowind's ids mean nothing to Skeldra
  EXPECT_EQ(urls.Urls(), (QStringList{"http://www.velthorn.example/",
                                      "http://www.velthorn.example/guide/skeldra.html"}));
}

TEST_F(MainFrameTest, AboutBoxFollowsTheOrientation) {
  Start(FormStyle::kMarrowind);
  QRect portraitText;
  QRect landscapeText;
  script_.ExpectDialog([&](QDialog* dialog) {
    dialog->show();
    auto* about = dynamic_cast<CDeviceAboutDlg*>(dialog);
    EXPECT_NE(about, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), "About Marrowind");
    EXPECT_EQ(dialog->size(), QSize(240, 320));
    EXPECT_EQ(about->GetDlgItemText(202).toStdString(), "Marrowind\nVersion 2.0");
    EXPECT_FALSE(about->Item<QLabel>(1011)->pixmap().isNull());
    portraitText = about->GetDlgItem(202)->geometry();
    SetPhoneScreen({320, 240, 96});
    EXPECT_EQ(dialog->size(), QSize(320, 240));
    landscapeText = about->GetDlgItem(202)->geometry();
    return IDOK;
  });
  Frame().OnCommand(57664);
  // Dialog units of 8-point MS Shell Dlg at 96 pixels per inch: 6/4 pixels across, 13/8 down.
  EXPECT_EQ(portraitText, QRect(15, 65, 199, 39));   // 10, 40; 133 x 24 units (template 100)
  EXPECT_EQ(landscapeText, QRect(60, 16, 240, 39));  // 40, 10; 160 x 24 units (template 200)
  EXPECT_FALSE(AfxIsDRAEnabled());                   // only while the box is up
}

TEST_F(MainFrameTest, TheAboutIconGrowsWithTheScreen) {
  std::vector<QSize> sizes;
  auto iconSize = [&sizes](QDialog* dialog) {
    sizes.push_back(dynamic_cast<CDeviceAboutDlg*>(dialog)->Item<QLabel>(1011)->pixmap().size());
  };
  Start(FormStyle::kMarrowind);
  script_.ExpectDialog([&](QDialog* dialog) {
    iconSize(dialog);
    return IDOK;
  });
  Frame().OnCommand(57664);
  frame_.reset();
  Start(FormStyle::kMarrowind, {480, 800, 192});
  script_.ExpectDialog([&](QDialog* dialog) {
    dialog->show();
    iconSize(dialog);
    SetPhoneScreen({800, 480, 192});  // laid out again from the landscape template
    iconSize(dialog);
    return IDOK;
  });
  Frame().OnCommand(57664);
  ASSERT_EQ(sizes.size(), 3u);
  EXPECT_EQ(sizes[1], sizes[0] * 2);
  EXPECT_EQ(sizes[2], sizes[1]);
}

// The box covers the soft-key bar, and a phone has no Enter or Escape key: a tap on the OK in the
// top right corner closes it, on every screen. Its contents stay clear of the OK's row.
TEST_F(MainFrameTest, ATapOnOkInTheTopRightCornerClosesTheAboutBox) {
  for (const PhoneScreen& screen :
       {PhoneScreen{240, 320, 96}, PhoneScreen{320, 240, 96}, PhoneScreen{640, 480, 192}}) {
    for (FormStyle style : {FormStyle::kSkeldra, FormStyle::kMarrowind}) {
      const QString name = QString("device_about_%1_%2x%3")
                               .arg(style == FormStyle::kSkeldra ? "skeldra" : "marrowind")
                               .arg(screen.width)
                               .arg(screen.height);
      SCOPED_TRACE(name.toStdString());
      frame_.reset();
      Start(style, screen);
      script_.ExpectDialog([&](QDialog* dialog) {
        dialog->show();
        SaveScreenshot(dialog, name);
        const int fingertip = 8 * screen.dpi / 96;
        const QPoint corner(dialog->width() - fingertip, fingertip);
        auto* key = qobject_cast<QAbstractButton*>(dialog->childAt(corner));
        if (key == nullptr) {
          ADD_FAILURE() << "nothing to tap in the top right corner";
          return IDCANCEL;
        }
        EXPECT_EQ(key->text().toStdString(), "OK");
        QWidget* text = dynamic_cast<CDialog*>(dialog)->GetDlgItem(202);
        EXPECT_GT(RectInWindow(text, dialog).top(), key->geometry().bottom());  // not under it
        QTest::mouseClick(key, Qt::LeftButton, {}, key->mapFrom(dialog, corner));
        EXPECT_FALSE(dialog->isVisible());
        return dialog->result();
      });
      Frame().OnCommand(57664);
    }
  }
}

TEST_F(MainFrameTest, WithoutTheRelayoutSwitchTheAboutBoxKeepsItsPlaces) {
  Install(FormStyle::kMarrowind);
  CDeviceAboutDlg about;
  script_.ExpectDialog([](QDialog* dialog) {
    dialog->show();
    auto* box = dynamic_cast<CDeviceAboutDlg*>(dialog);
    QRect before = box->GetDlgItem(202)->geometry();
    SetPhoneScreen({320, 240, 96});
    EXPECT_EQ(box->GetDlgItem(202)->geometry(), before);
    return IDOK;
  });
  about.DoModal();
}

TEST_F(MainFrameTest, AFrameWithoutItsMenuBarIsNotCreated) {
  Install(FormStyle::kMarrowind);
  const ResourceModule* installed = AfxGetResourceHandle();
  ResourceModule withoutBar = *installed;
  withoutBar.menuBars = {};
  InstallResourceModule(&withoutBar);
  CMainFrame frame;
  EXPECT_FALSE(frame.OnCreate());
  EXPECT_EQ(frame.CommandBar(), nullptr);
  InstallResourceModule(installed);
}

}  // namespace
