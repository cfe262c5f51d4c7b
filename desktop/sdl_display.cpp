#include "desktop/sdl_display.h"

#include <SDL.h>

#include <string_view>

namespace {

// Starts SDL's video once. SDL 2.26 falls back to its in-memory "offscreen" driver where no display answers;
// that counts as a failure unless a driver was asked for by name.
bool StartVideoOnce() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  const std::string_view driver = SDL_GetCurrentVideoDriver();
  if (SDL_getenv("SDL_VIDEODRIVER") || (driver != "offscreen" && driver != "dummy")) return true;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_SetError("No available video device");
  return false;
}

}  // namespace

// A named display is tried for up to two seconds: a display server that is still starting (as a session's
// first program or a test's fresh X server may find it) refuses connections for a moment.
bool InitDisplayVideo() {
  const bool displayNamed = SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY");
  constexpr int kAttempts = 10;
  for (int attempt = 1;; ++attempt) {
    if (StartVideoOnce()) return true;
    if (!displayNamed || attempt == kAttempts) return false;
    SDL_Delay(200);
  }
}

void EnumerateDisplayModes(std::vector<DisplayMode>& list) {
  std::vector<DisplayMode> reported;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(0, i, &mode) != 0) break;
    reported.push_back({mode.w, mode.h});
  }
  list = FilterDisplayModes(reported);
}

DisplayMode DesktopDisplayMode() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h};
}
