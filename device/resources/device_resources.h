#pragma once

#include "platform/device/shell/resource_module.h"

// The resource modules of the three phone programs: their artwork, strings, menu 128 and the
// soft-key bar's menu-bar resource 128. The programs use the same ids for different things, so
// each has its own module.

const ResourceModule& SkeldraResources();
const ResourceModule& MarrowindResources();
const ResourceModule& OrvanelResources();

// The maker's web address, shown on the main forms and in the progress dialog.
inline constexpr char kMakerWebAddress[] = "www.velthorn.example";
