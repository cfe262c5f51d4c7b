// Runs the live program for a while and prints its frame time: frames presented from the fifth second after
// the first one to SECONDS after it, over the wall-clock time between. The web page's bench reports the
// same figure from the browser, so the two can be set side by side.
//   live_frames SECONDS [VELMORA_OPTION...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "desktop/live_show.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kWarmUpSeconds = 5.0;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::atof(argv[1]) <= kWarmUpSeconds) {
    std::fprintf(stderr, "usage: live_frames SECONDS (more than %.0f) [VELMORA_OPTION...]\n", kWarmUpSeconds);
    return 2;
  }
  const double seconds = std::atof(argv[1]);
  argv[1] = argv[0];
  Clock::time_point first;
  Clock::time_point counting;
  long frames = -1;  // not yet counting
  bool started = false;
  const auto afterEachSwap = [&](const DemoState&) {
    if (!started) {
      started = true;
      first = Clock::now();
    } else if (frames < 0 && SecondsSince(first) >= kWarmUpSeconds) {
      frames = 0;
      counting = Clock::now();
    } else if (frames >= 0) {
      ++frames;
      if (SecondsSince(first) >= seconds) {
        const double span = SecondsSince(counting);
        std::printf("%.1f ms a frame (%ld frames over %.1f s)\n", 1000.0 * span / frames, frames, span);
        std::fflush(stdout);
        std::_Exit(0);
      }
    }
  };
  return RunVelmora(argc - 1, argv + 1, {.afterEachSwap = afterEachSwap});
}
