#include "device/contacts/marrowind_program.h"
#include "device/frame/device_app.h"

int main(int argc, char** argv) { return RunDeviceProgram(argc, argv, MarrowindProgram()); }
