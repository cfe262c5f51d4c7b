// The show's assets, loaded once at start-up in a fixed order: outline shapes into display lists, the logo
// traced into curves, the blank render targets, and every texture into its slot. The order matters: the
// texture parameters set between loads act on whatever texture was bound last.
#pragma once

#include "assets/show_curves.h"
#include "state/demo_state.h"
#include "state/messages.h"

// All paths are relative to the working directory. False (after the file's message) when a file is missing or
// unusable; what was loaded before it stays loaded.
bool SetupAssets(ShowCurves& curves, DemoState& state, MessageSink& messages);
