#include "platform/sdl_display.h"

#include <SDL.h>

#include <string_view>

bool InitDisplayVideo() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
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
