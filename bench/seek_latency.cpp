// Measures, in rehearsal mode, the time from a key press to the frame it brings on screen for a jump back
// from 200 s to 20 s: eighteen Page Downs at once, from the picture paused at 200.017 s (Home, then twenty
// Page Ups), and from the show playing on from there for twenty frames. The keys go into SDL's event queue as
// the window system's would; the time runs to the end of the swap that shows the landing. Prints each jump,
// then the medians, and the ordinary frame time at 200 s beside them.
//   seek_latency ROUNDS [VELMORA_OPTION...]   (ROUNDS of one paused and one playing jump each)
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "desktop/live_show.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPlayedFrames = 20;

void PressKey(SDL_Keycode key, int times = 1) {
  for (int i = 0; i < times; ++i) {
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
      SDL_Event event{};
      event.type = type;
      event.key.keysym.sym = key;
      event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
      SDL_PushEvent(&event);
    }
  }
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 0;
  if (rounds < 1) {
    std::fprintf(stderr, "usage: seek_latency ROUNDS [VELMORA_OPTION...]\n");
    return 2;
  }
  argv[1] = argv[0];
  enum class Phase { Starting, ToPausedStart, Paused, Playing, Jumping };
  Phase phase = Phase::Starting;
  std::vector<double> pausedJumps, playingJumps, frames;
  Clock::time_point pressed, lastSwap = Clock::now();
  double clockBefore = 0.0;
  bool jumpedWhilePaused = false;
  int played = 0;

  const auto toPausedStart = [&](bool playing) {
    if (playing) PressKey(SDLK_SPACE);
    PressKey(SDLK_HOME);
    PressKey(SDLK_PAGEUP, 20);
    phase = Phase::ToPausedStart;
  };
  const auto jump = [&](const DemoState& state, bool paused) {
    clockBefore = state.demoClock;
    jumpedWhilePaused = paused;
    pressed = Clock::now();
    PressKey(SDLK_PAGEDOWN, 18);
    phase = Phase::Jumping;
  };
  const auto afterEachSwap = [&](const DemoState& state) {
    const double sinceLast = MillisecondsSince(lastSwap);
    lastSwap = Clock::now();
    switch (phase) {
      case Phase::Starting:
        toPausedStart(true);
        break;
      case Phase::ToPausedStart:
        if (state.demoClock > 199.0) {
          phase = Phase::Paused;
          jump(state, true);
        }
        break;
      case Phase::Paused:
        break;
      case Phase::Playing:
        if (played++ > kPlayedFrames / 2) frames.push_back(sinceLast);
        if (played == kPlayedFrames) jump(state, false);
        break;
      case Phase::Jumping: {
        if (state.demoClock > 100.0) break;  // the keys are not handled yet
        const double ms = MillisecondsSince(pressed);
        (jumpedWhilePaused ? pausedJumps : playingJumps).push_back(ms);
        std::printf("%s %.3f s -> %.3f s: %.1f ms\n", jumpedWhilePaused ? "paused " : "playing", clockBefore,
                    state.demoClock, ms);
        if (jumpedWhilePaused) {  // back to 200 s and play on
          PressKey(SDLK_HOME);
          PressKey(SDLK_PAGEUP, 20);
          PressKey(SDLK_SPACE);
          played = -1;
          phase = Phase::Playing;
        } else if (int(playingJumps.size()) < rounds) {
          toPausedStart(true);
        } else {
          std::printf("median: %.1f ms paused, %.1f ms playing; an ordinary frame at 200 s: %.1f ms\n",
                      Median(pausedJumps), Median(playingJumps), Median(frames));
          std::fflush(stdout);
          std::_Exit(0);
        }
        break;
      }
    }
  };
  return RunVelmora(argc - 1, argv + 1, {.afterEachSwap = afterEachSwap});
}
