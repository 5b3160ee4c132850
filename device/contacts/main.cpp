#include "device/contacts/marrowind_program.h"
#include "device/frame/device_app.h"

int main(int argc, char** argv) {
  CDeviceApp app(argc, argv, MarrowindProgram());
  if (!app.InitInstance()) return 1;
  return app.exec();
}
