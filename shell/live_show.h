// The live program: window, start-up and the main loop that runs one frame per idle turn.
#pragma once

#include <functional>

struct LiveShowHooks {
  // Called once, right after the first frame has been presented (start-up measurements).
  std::function<void()> afterFirstSwap;
};

// Runs the show until it ends; returns the process exit code.
int RunLiveShow(const LiveShowHooks& hooks = {});
