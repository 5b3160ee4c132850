#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "device/frame/device_app.h"
#include "device/frame/device_view.h"
#include "device/frame/device_view_color_labels.h"
#include "device/launcher/launcher_commands.h"
#include "device/launcher/orvanel_program.h"
#include "platform/device/shell/command_bar.h"
#include "platform/device/shell/dialog_item.h"
#include "platform/device/shell/process_start.h"
#include "platform/windows/modal_service.h"
#include "tests/support/device_testing.h"
#include "tests/support/scripted_services.h"

namespace {

TEST(PathBesideModuleTest, CutsAfterTheLastBackslash) {
  EXPECT_EQ(PathBesideModule("\\Program Files\\Velthorn\\Orvanel.exe", "Skeldra.exe"),
            "\\Program Files\\Velthorn\\Skeldra.exe");
  EXPECT_EQ(PathBesideModule("\\Orvanel.exe", "Marrowind.exe"), "\\Marrowind.exe");
  EXPECT_EQ(PathBesideModule("Orvanel.exe", "Skeldra.exe"), "Skeldra.exe");
  EXPECT_EQ(PathBesideModule("", "Skeldra.exe"), "Skeldra.exe");
}

TEST(PathBesideModuleTest, EachStartStartsAnotherInstance) {
  QTemporaryDir folder;
  WriteMarkerProgram(folder.filePath("Skeldra"));
  QString orvanel = PhoneFormPath(folder.filePath("Orvanel"));
  EXPECT_TRUE(CreateProcess(PathBesideModule(orvanel, "Skeldra.exe")));
  EXPECT_TRUE(CreateProcess(PathBesideModule(orvanel, "Skeldra.exe")));
  EXPECT_EQ(WaitForStarts(folder.path(), 2), 2);
}

TEST(PathBesideModuleTest, StartsFromAFolderWhoseNameHoldsABackslash) {
  QTemporaryDir parent;
  const QString folder = parent.filePath("Velthorn\\Phone");
  ASSERT_TRUE(QDir().mkdir(folder));
  WriteMarkerProgram(folder + "/Marrowind");
  EXPECT_TRUE(CreateProcess(PathBesideModule(PhoneFormPath(folder + "/Orvanel"), "Marrowind.exe")));
  EXPECT_EQ(WaitForStarts(folder, 1), 1);
}

TEST(OrvanelUsageTest, HelpPrintsTheUsageWithTheEnvironmentAndStartsNothing) {
  char name[] = "/opt/phone/Orvanel";
  char help[] = "--help";
  char* argv[] = {name, help, nullptr};
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunDeviceProgram(2, argv, OrvanelProgram()), 0);
  const std::string usage = testing::internal::GetCapturedStdout();
  EXPECT_EQ(usage.rfind("Usage: Orvanel [--help]\n", 0), 0u) << usage;
  for (const char* variable : {"PHONE_ROOT", "PHONE_SCREEN"}) {
    EXPECT_NE(usage.find(variable), std::string::npos) << variable;
  }
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

class OrvanelTest : public ::testing::Test {
 protected:
  void Start(const PhoneScreen& screen = PhoneScreen()) {
    screen_.emplace(screen);
    frame_ = InitDeviceInstance(OrvanelProgram());
    ASSERT_NE(frame_, nullptr);
  }
  ~OrvanelTest() override { frame_.reset(); }

  CMarrowindView* View() { return dynamic_cast<CMarrowindView*>(frame_->View()); }

  ScriptedServices script_;
  std::optional<ScopedPhoneScreen> screen_;
  std::unique_ptr<CMainFrame> frame_;
};

TEST_F(OrvanelTest, ShowsMarrowindsFormWithOrvanelsTexts) {
  Start();
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(frame_->windowTitle().toStdString(), "Orvanel");
  EXPECT_EQ(View()->GetDlgItemText(1018).toStdString(), "Orvanel");
  EXPECT_EQ(View()->GetDlgItemText(1020).toStdString(), "Skeldra");
  EXPECT_EQ(View()->GetDlgItemText(1021).toStdString(),
            "Transfer sms between\nmobile and computer");
  EXPECT_EQ(View()->GetDlgItemText(1023).toStdString(), "Marrowind");
  EXPECT_EQ(View()->GetDlgItemText(1024).toStdString(),
            "Transfer contacts between\nmobile and computer");
  EXPECT_EQ(View()->GetDlgItemText(1026).toStdString(), "EXIT");
  EXPECT_EQ(frame_->CommandBar()->Key(0)->text().toStdString(), "EXIT");
  EXPECT_EQ(frame_->CommandBar()->Key(1)->text().toStdString(), "Menu");
}

TEST_F(OrvanelTest, MenuOffersBothProgramsTheWebsiteAndAbout) {
  Start();
  std::map<QString, int> commands;
  script_.ExpectMenu([&commands](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->menu() != nullptr) {
        for (QAction* item : action->menu()->actions()) {
          commands[action->text() + " > " + item->text()] = item->data().toInt();
        }
      } else {
        commands[action->text()] = action->data().toInt();
      }
    }
    return 0;
  });
  frame_->CommandBar()->Key(1)->click();
  EXPECT_EQ(commands, (std::map<QString, int>{{"Skeldra", 32777},
                                              {"Marrowind", 32778},
                                              {"Website > HomePage", 32773},
                                              {"Website > Online Guide", 32774},
                                              {"About ", 57664}}));
}

TEST_F(OrvanelTest, LaunchingAMissingProgramDoesNothingVisible) {
  Start();
  ASSERT_FALSE(QFileInfo::exists(
      QFileInfo(QCoreApplication::applicationFilePath()).dir().filePath("Skeldra")));
  frame_->OnCommand(ID_LAUNCH_SKELDRA);  // no message box is scripted: none may come
  QTest::mouseClick(View()->Button(0), Qt::LeftButton);
  QTest::mouseClick(View()->Button(1), Qt::LeftButton);
  EXPECT_TRUE(frame_->isVisible());
  QTest::mouseClick(View()->Button(2), Qt::LeftButton);
  EXPECT_FALSE(frame_->isVisible());
}

TEST_F(OrvanelTest, AboutBoxAndWebPages) {
  Start();
  UrlRecorder urls;
  script_.ExpectDialog([](QDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle().toStdString(), "About Orvanel");
    EXPECT_EQ(dynamic_cast<ControlHost*>(dialog)->GetDlgItemText(202).toStdString(),
              "Orvanel\nVersion 2.0");
    SaveScreenshot(dialog, "device_orvanel_about_240x320");
    return IDOK;
  });
  frame_->OnCommand(57664);
  frame_->OnCommand(32773);
  frame_->OnCommand(32774);
  EXPECT_EQ(urls.Urls(), (QStringList{"http://www.velthorn.example/",
                                      "http://www.velthorn.example/guide/orvanel.html"}));
}

TEST_F(OrvanelTest, TheMainWindowShowsItsFormOverTheSoftKeyBar) {
  for (const PhoneScreen& screen : {PhoneScreen{240, 320, 96}, PhoneScreen{480, 800, 192}}) {
    SCOPED_TRACE(screen.height);
    frame_.reset();
    Start(screen);
    std::vector<QRect> drawn;
    for (int id : {1018, 1019})
      drawn.push_back(RectInWindow(FindDlgItem(View(), id), frame_.get()));
    for (int id : {1001, 1002}) {  // inside the two launch buttons' edges: their images
      drawn.push_back(RectInWindow(FindDlgItem(View(), id), frame_.get()).adjusted(3, 3, -3, -3));
    }
    ExpectMainWindowPicture(frame_.get(), screen, drawn);
    SaveScreenshot(frame_.get(),
                   QString("device_orvanel_%1x%2").arg(screen.width).arg(screen.height));
  }
  EXPECT_EQ(View()->ButtonImages(0)->GetImageSize(), QSize(144, 144));  // 72 pixels at 192 dpi
}

}  // namespace
