#include "platform/sdl_display.h"

#include <SDL.h>

#include <string_view>

namespace {

// SDL's video start-up on a named display is tried three times, 200 ms apart: on a loaded machine it has been
// seen to fail once, right after its X server started, and to work a moment later.
bool StartVideo() {
  const bool displayNamed = SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY");
  for (int attempt = 1;; ++attempt) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    if (!displayNamed || attempt == 3) return false;
    SDL_Delay(200);
  }
}

}  // namespace

bool InitDisplayVideo() {
  if (!StartVideo()) return false;
  const std::string_view driver = SDL_GetCurrentVideoDriver();
  if (SDL_getenv("SDL_VIDEODRIVER") || (driver != "offscreen" && driver != "dummy")) return true;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_SetError("No available video device");
  return false;
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
