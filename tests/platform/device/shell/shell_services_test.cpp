// The shell's smaller services: worker threads, web links, controls by id and resource lookup.

#include <QLabel>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/device/shell/dialog_item.h"
#include "platform/device/shell/resource_module.h"
#include "platform/device/shell/shell_execute.h"
#include "platform/device/shell/worker_thread.h"
#include "platform/windows/form_view.h"
#include "tests/support/device_testing.h"

namespace {

TEST(WorkerThreadTest, RunsTheProcedureOnAnotherThread) {
  std::atomic<bool> ran = false;
  std::thread::id ranOn;
  ASSERT_TRUE(CreateThread([&] {
    ranOn = std::this_thread::get_id();
    ran = true;
  }));
  while (!ran) std::this_thread::yield();
  EXPECT_NE(ranOn, std::this_thread::get_id());
}

TEST(WorkerThreadTest, AFailedCreationNeverRunsTheProcedure) {
  std::atomic<bool> ran = false;
  FailThreadCreationForTesting(true);
  EXPECT_FALSE(CreateThread([&] { ran = true; }));
  FailThreadCreationForTesting(false);
  EXPECT_FALSE(ran);
}

TEST(ShellExecuteTest, OpensWebAddressesOnly) {
  UrlRecorder urls;
  EXPECT_TRUE(ShellExecuteEx({"open", "http://www.velthorn.example/"}));
  EXPECT_FALSE(ShellExecuteEx({"print", "http://www.velthorn.example/"}));
  EXPECT_FALSE(ShellExecuteEx({"open", ""}));
  EXPECT_EQ(urls.Urls(), QStringList{"http://www.velthorn.example/"});
}

TEST(DialogItemTest, FindsTemplateControlsAndControlsMadeAtRunTime) {
  DialogTemplate form{.id = 101,
                      .cx = 100,
                      .cy = 100,
                      .fontName = "MS Sans Serif",
                      .pointSize = 8,
                      .controls = {{1017, ControlKind::kStatic, "maker", 0, 0, 50, 8, 0}}};
  CFormView view(form);
  view.OnInitialUpdate();
  auto* button = new QLabel(&view);
  SetDlgCtrlID(button, 1001);
  auto* grandchild = new QLabel(button);
  SetDlgCtrlID(grandchild, 1002);

  EXPECT_EQ(FindDlgItem(&view, 1017), view.GetDlgItem(1017));
  EXPECT_EQ(FindDlgItem(&view, 1001), button);
  EXPECT_EQ(FindDlgItem(&view, 1002), nullptr);  // children only
  EXPECT_EQ(FindDlgItem(&view, 5), nullptr);
  EXPECT_EQ(FindDlgItem(nullptr, 1001), nullptr);
}

TEST(ResourceModuleTest, FindsThePhonesOwnResources) {
  const ImageResource bitmaps[] = {{131, ":/none.svg", 8, 2}, {150, ":/none.svg", 8, 2}};
  const BitmapResolution resolutions[] = {{150, 7559, 7559}};
  const MenuBarResource bars[] = {{128, 128, {}}};
  const DialogTemplate dialogs[] = {{
      .id = 100,
      .caption = "About",
      .cx = 10,
      .cy = 10,
      .fontName = "MS Shell Dlg",
      .pointSize = 8,
  }};
  ResourceTable table{{}, bitmaps, {}, {}, {}};
  ResourceModule module{&table, bars, resolutions, dialogs};
  InstallResourceModule(&module);

  EXPECT_EQ(AfxGetResourceHandle(), &module);
  EXPECT_EQ(FindMenuBar(128), &bars[0]);
  EXPECT_EQ(FindMenuBar(129), nullptr);
  EXPECT_EQ(FindDialogTemplate(100), &dialogs[0]);
  EXPECT_EQ(FindDialogTemplate(200), nullptr);
  int x = -1, y = -1;
  EXPECT_TRUE(FindBitmapResolution(150, &x, &y));
  EXPECT_EQ(x, 7559);
  EXPECT_TRUE(FindBitmapResolution(131, &x, &y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(FindBitmapResolution(151, &x, &y));

  InstallResourceModule(nullptr);
  EXPECT_EQ(FindMenuBar(128), nullptr);
}

}  // namespace
