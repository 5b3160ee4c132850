#include "device/frame/device_app.h"
#include "device/launcher/orvanel_program.h"

int main(int argc, char** argv) { return RunDeviceProgram(argc, argv, OrvanelProgram()); }
