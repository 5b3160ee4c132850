#pragma once

#include "device/frame/device_program.h"

// Marrowind on the shared frame: the contacts backup and restore behind its menu and the main
// form's first two buttons.
const DeviceProgram& MarrowindProgram();
