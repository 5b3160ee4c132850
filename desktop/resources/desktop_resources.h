#pragma once

#include "platform/desktop/resources.h"

// The resource table of the desktop program: its artwork, menus and strings.
const ResourceTable& DesktopResources();
