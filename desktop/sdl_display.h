// The screen through SDL: video start-up on a real display and the primary display's modes.
#pragma once

#include <vector>

#include "desktop/display_modes.h"

// Starts SDL's video on a real display. SDL would otherwise fall back to drawing into memory where no display
// is found; that only happens when such a driver is asked for by name (SDL_VIDEODRIVER).
bool InitDisplayVideo();

// Clears the list and fills it with the offered modes of the primary display, in the order SDL reports them.
void EnumerateDisplayModes(std::vector<DisplayMode>& list);

// The primary display's desktop size.
DisplayMode DesktopDisplayMode();
