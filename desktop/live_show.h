// The live program: command line, the show's files, window, start-up and the main loop that runs one frame
// per idle turn.
#pragma once

#include <functional>

#include "render/offscreen_target.h"
#include "state/demo_state.h"

struct LiveShowHooks {
  // Called once, right after the first frame has been presented, with the picture it showed (start-up
  // measurements, tests of where the show started).
  std::function<void(const OffscreenTarget&)> afterFirstSwap;
  // Called after every frame has been presented, with the state it was drawn from (frame-time and seek
  // measurements).
  std::function<void(const DemoState&)> afterEachSwap;
};

// Runs the program with its command line until the show ends; returns the process exit code. Whichever way
// it ends, the display is left in the mode it was found in.
int RunVelmora(int argc, char** argv, const LiveShowHooks& hooks = {});
