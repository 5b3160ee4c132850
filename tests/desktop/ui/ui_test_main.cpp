#include <gtest/gtest.h>

#include "desktop/ui/zolmark_app.h"

// Window tests run inside the program's own application object, as the windows expect.
int main(int argc, char** argv) {
  // Window tests draw offscreen unless told otherwise (test discovery runs without ctest's
  // environment).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  CZOLMARKApp app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
