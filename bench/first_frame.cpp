// Runs the live program until its first frame has been presented, then prints the wall-clock time of that
// moment (seconds since the epoch) and exits; bench/startup_time.sh turns it into time from process start.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "desktop/live_show.h"

int main(int argc, char** argv) {
  return RunVelmora(argc, argv, {.afterFirstSwap = [](const OffscreenTarget&) {
                      const auto now = std::chrono::system_clock::now().time_since_epoch();
                      std::printf("%.6f\n", std::chrono::duration<double>(now).count());
                      std::fflush(stdout);
                      std::_Exit(0);
                    }});
}
