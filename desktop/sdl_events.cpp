#include "desktop/sdl_events.h"

#include "state/capture_text.h"
#include "state/viewport.h"
#include "state/virtual_keys.h"

int VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return kVkLetterA + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return kVkDigit0 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kVkF1 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return kVkF1 + 12 + (key - SDLK_F13);
  switch (key) {
    case SDLK_ESCAPE:
      return kVkEscape;
    case SDLK_RETURN:
      return kVkReturn;
    case SDLK_SPACE:
      return kVkSpace;
    case SDLK_LEFT:
      return kVkLeft;
    case SDLK_UP:
      return kVkUp;
    case SDLK_RIGHT:
      return kVkRight;
    case SDLK_DOWN:
      return kVkDown;
    case SDLK_PAGEUP:
      return kVkPageUp;
    case SDLK_PAGEDOWN:
      return kVkPageDown;
    case SDLK_END:
      return kVkEnd;
    case SDLK_HOME:
      return kVkHome;
    default:
      return -1;
  }
}

namespace {

EventOutcome HandleWindowChange(const SDL_WindowEvent& event, DemoState& state) {
  switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
      state.windowActive = false;
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      state.windowActive = true;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      state.window.clientWidth = event.data1;
      state.window.clientHeight = event.data2;
      ResizeViewport(event.data1, event.data2);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      return EventOutcome::Quit;
    default:
      break;
  }
  return EventOutcome::Continue;
}

void SetKey(DemoState& state, SDL_Keycode key, bool down) {
  state.SetKey(VirtualKeyFromSdl(key), down);
}

}  // namespace

EventOutcome HandleWindowEvent(const SDL_Event& event, DemoState& state, const FrameRecord& frame) {
  switch (event.type) {
    case SDL_QUIT:
      return EventOutcome::Quit;
    case SDL_WINDOWEVENT:
      return HandleWindowChange(event.window, state);
    case SDL_KEYDOWN:
      SetKey(state, event.key.keysym.sym, true);
      break;
    case SDL_KEYUP:
      SetKey(state, event.key.keysym.sym, false);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_MIDDLE)
        AppendCameraCapture(state.captureText, frame, state.camera);
      break;
    default:
      break;
  }
  return EventOutcome::Continue;
}
