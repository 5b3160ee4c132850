#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "desktop/resources/desktop_resources.h"
#include "desktop/store/view_state.h"
#include "desktop/widgets/control_color.h"

namespace {

// Like the program's application object, it holds the view state the windows share.
class TestApplication : public QApplication, public ViewState {
 public:
  using QApplication::QApplication;
};

}  // namespace

int main(int argc, char** argv) {
  // Window tests draw offscreen unless told otherwise (test discovery runs without ctest's
  // environment).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // What the file dialogs remember goes to a place for tests, not to the user's settings.
  QStandardPaths::setTestModeEnabled(true);
  TestApplication app(argc, argv);
  InstallResourceTable(&DesktopResources());
  SetBackBrush(QColor(200, 222, 243));  // as the application sets it at start-up
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
