#include "device/frame/device_app.h"
#include "device/sms/skeldra_program.h"

int main(int argc, char** argv) { return RunDeviceProgram(argc, argv, SkeldraProgram()); }
