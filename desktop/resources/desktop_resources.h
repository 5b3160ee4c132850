#pragma once

#include "platform/windows/resources.h"

// The resource table of the desktop program: its artwork, menus and strings.
const ResourceTable& DesktopResources();
