#pragma once

// How the usage texts of the phone programs and of the `phone` tool describe the environment
// variables that choose the emulated phone (phone_folder.h and
// platform/device/shell/phone_screen.h).
inline constexpr char kPhoneEnvironmentUsage[] =
    "Environment:\n"
    "  PHONE_ROOT=DIR        the emulated phone's folder (default: phone/ in the working\n"
    "                        folder); \"phone seed\" puts sample data there\n"
    "  PHONE_SCREEN=WxH@DPI  the phone's screen (default 240x320@96; for example 320x240@96\n"
    "                        in landscape, 480x800@192 or 640x480@192 at high resolution)\n";
