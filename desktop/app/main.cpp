#include "desktop/ui/zolmark_app.h"

int main(int argc, char** argv) {
  CZOLMARKApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  return app.exec();
}
