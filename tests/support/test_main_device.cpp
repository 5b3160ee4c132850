#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// main() of the phone programs' window tests: an application object with nothing installed, so
// each test installs the program, the screen and the answers it needs.
int main(int argc, char** argv) {
  // Window tests draw offscreen unless told otherwise (test discovery runs without ctest's
  // environment).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // What the file dialogs remember goes to a place for tests, not to the user's settings.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
