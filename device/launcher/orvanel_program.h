#pragma once

#include "device/frame/device_program.h"

// Orvanel on the shared frame: Marrowind's form with Orvanel's texts, its buttons and menu
// starting Skeldra and Marrowind.
const DeviceProgram& OrvanelProgram();
