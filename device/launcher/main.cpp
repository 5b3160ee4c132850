#include "device/frame/device_app.h"
#include "device/launcher/orvanel_program.h"

int main(int argc, char** argv) {
  CDeviceApp app(argc, argv, OrvanelProgram());
  if (!app.InitInstance()) return 1;
  return app.exec();
}
