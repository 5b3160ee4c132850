#pragma once

#include "device/frame/device_program.h"

// Skeldra on the shared frame: its form, About box, menu and the backup and restore commands.
const DeviceProgram& SkeldraProgram();
