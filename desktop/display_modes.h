// The display-mode list and the setup dialog's rules: which modes are offered, how they are labelled, which
// is chosen at first, and how the choice becomes window and picture sizes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "state/demo_state.h"

struct DisplayMode {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const DisplayMode&) const = default;
};

// The switches of the setup dialog.
struct SetupChoice {
  bool music = true;
  bool windowed = false;
  bool forceWide = false;
  bool rehearse = false;  // the viewer's controls over time (pause, jumps, frame steps, overlay)
};

// Landscape modes up to 2047 pixels each way with an aspect ratio up to 1.8.
bool IsOfferedMode(DisplayMode mode);

// The offered modes in the order reported, each size once.
std::vector<DisplayMode> FilterDisplayModes(std::span<const DisplayMode> reported);

// What the resolution list shows: the offered modes, or the desktop size alone when none is offered, so that
// there is always something to run with.
std::vector<DisplayMode> ModesForDialog(std::vector<DisplayMode> offered, DisplayMode desktop);

// " 1280 x 720  (16:9)": 16:10, 16:9, or 4:3 for every other ratio.
std::string DisplayModeLabel(DisplayMode mode);

// 1280 x 720 when listed, else 1024 x 768, else the first entry.
size_t DefaultModeIndex(const std::vector<DisplayMode>& modes);

// The index of `wanted` in the list, appended to it first when it is not there (a size asked for on the
// command line need not be a display mode).
size_t SelectMode(std::vector<DisplayMode>& modes, DisplayMode wanted);

// The "Run ... " command: settings and sizes for the chosen mode. Under "Force 16:9" the picture is 9/16 of
// the width high; a window is then that high too, a full screen keeps the mode's height.
void ApplyRunCommand(SetupOptions& setup, const SetupChoice& choice, DisplayMode mode);
