#include "platform/device/shell/phone_dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "platform/device/shell/phone_style.h"
#include "platform/windows/message_service.h"
#include "tests/support/device_testing.h"
#include "tests/support/scripted_services.h"

namespace {

// The three screens the phone programs are tried on, with the dialog font's pixel size there.
struct TriedScreen {
  PhoneScreen screen;
  int fontPixels;
};
const TriedScreen kScreens[] = {{{240, 320, 96}, 11}, {{320, 240, 96}, 11}, {{640, 480, 192}, 21}};

// A phone program's main window on a screen, with the phone's own dialogs installed.
class PhoneDialogsTest : public ::testing::Test {
 protected:
  PhoneDialogsTest() : before_(CurrentMessageService()) {
    UsePhoneStyle();
    InstallPhoneDialogs();
  }
  ~PhoneDialogsTest() override { InstallMessageService(before_); }

  void OnScreen(const PhoneScreen& screen) {
    screen_.emplace(screen);
    main_.emplace();
    main_->setGeometry(QRect(QPoint(300, 200), QSize(screen.width, screen.height)));
    main_->show();
  }
  QRect Screen() const { return main_->geometry(); }

  MessageService before_;
  std::optional<ScopedPhoneScreen> screen_;
  std::optional<QMainWindow> main_;
};

QTextEdit* Text(QWidget* box) { return box->findChild<QTextEdit*>(); }
QPushButton* Button(QWidget* box, QDialogButtonBox::StandardButton which) {
  return box->findChild<QDialogButtonBox*>()->button(which);
}

TEST_F(PhoneDialogsTest, AMessageBoxIsAsWideAsTheScreenAndShowsItsWholeText) {
  const QString texts[] = {
      "Backup succeed.",
      "The restore file has 250 items,but only had Finish 249 items!",
      // A file name without a place to break it: wider than any of the screens.
      "Are you sure to restore contacts from file:/home/velthorn/"
      "VBX_20240101_1200_copy_of_the_copy_of_the_copy_of_the_copy_of_the_backup.vbx",
  };
  for (const auto& [screen, fontPixels] : kScreens) {
    OnScreen(screen);
    for (const QString& text : texts) {
      SCOPED_TRACE(testing::Message()
                   << screen.width << "x" << screen.height << " " << text.size());
      ModalSteps steps({[&](QWidget* box) {
        EXPECT_TRUE(Screen().contains(box->geometry()));
        EXPECT_EQ(box->width(), screen.width);
        EXPECT_EQ(box->font().pixelSize(), fontPixels);
        EXPECT_EQ(Text(box)->toPlainText(), text);
        EXPECT_EQ(Text(box)->verticalScrollBar()->maximum(), 0);  // no line hidden
        EXPECT_LE(Text(box)->document()->size().width(), Text(box)->viewport()->width());
        Button(box, QDialogButtonBox::Ok)->click();
      }});
      EXPECT_EQ(ShowMessageBox(text, "Marrowind", MB_OK), IDOK);
    }
  }
}

TEST_F(PhoneDialogsTest, AMessageBoxTallerThanTheScreenScrolls) {
  OnScreen({240, 320, 96});
  QStringList lines;
  for (int i = 0; i < 40; ++i) lines << QString("Write RingTone:\\Sounds\\%1.wav Error!").arg(i);
  ModalSteps steps({[&](QWidget* box) {
    EXPECT_EQ(box->geometry(), Screen());
    EXPECT_GT(Text(box)->verticalScrollBar()->maximum(), 0);
    box->close();
  }});
  ShowMessageBox(lines.join('\n'), "Marrowind", MB_OK);
}

TEST_F(PhoneDialogsTest, AMessageBoxAnswersWithTheButtonChosen) {
  OnScreen({240, 320, 96});
  constexpr QDialogButtonBox::StandardButton kEscape = QDialogButtonBox::NoButton;
  struct Case {
    unsigned type;
    QDialogButtonBox::StandardButton button;
    int answer;
  };
  for (const Case& c :
       {Case{MB_OK, QDialogButtonBox::Ok, IDOK}, Case{MB_OK, kEscape, IDOK},
        Case{MB_OKCANCEL, QDialogButtonBox::Ok, IDOK},
        Case{MB_OKCANCEL, QDialogButtonBox::Cancel, IDCANCEL}, Case{MB_OKCANCEL, kEscape, IDCANCEL},
        Case{MB_YESNO | MB_ICONWARNING, QDialogButtonBox::Yes, IDYES},
        Case{MB_YESNO, QDialogButtonBox::No, IDNO}}) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.button);
    ModalSteps steps({[&c](QWidget* box) {
      if (c.button == kEscape) {
        box->close();
      } else {
        Button(box, c.button)->click();
      }
    }});
    EXPECT_EQ(ShowMessageBox("Are you sure?", "Marrowind", c.type), c.answer);
  }
}

TEST_F(PhoneDialogsTest, AFileDialogHasTheScreensSizeAndRoomForItsControls) {
  for (const auto& [screen, fontPixels] : kScreens) {
    OnScreen(screen);
    for (bool save : {true, false}) {
      SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height << " " << save);
      ModalSteps steps({[&](QWidget* dialog) {
        EXPECT_EQ(dialog->geometry(), Screen());
        const QSize needed = dialog->layout()->minimumSize();
        EXPECT_LE(needed.width(), screen.width);
        EXPECT_LE(needed.height(), screen.height);
        EXPECT_EQ(dialog->font().pixelSize(), fontPixels);
        EXPECT_GT(dialog->findChild<QWidget*>("listView")->width(), screen.width * 4 / 5);
        EXPECT_EQ(dialog->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, dialog),
                  screen.dpi == 96 ? 16 : 32);  // the files' icons
        dialog->close();
      }});
      EXPECT_EQ(RunFileDialog({.save = save,
                               .title = "Select Save Path.",
                               .filter = "Marrowind File(*.vbx)|*.vbx|Text File(*.txt)|*.txt|",
                               .defaultExtension = "vbx",
                               .fileName = "VBX_20240101_1200.vbx",
                               .flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT}),
                std::nullopt);
    }
  }
}

}  // namespace
