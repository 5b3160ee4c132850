#include "device/frame/device_app.h"
#include "device/sms/skeldra_program.h"

int main(int argc, char** argv) {
  CDeviceApp app(argc, argv, SkeldraProgram());
  if (!app.InitInstance()) return 1;
  return app.exec();
}
