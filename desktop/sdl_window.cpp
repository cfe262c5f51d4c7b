#include "desktop/sdl_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string_view>

#include <cstdio>
#include <string>

#include "desktop/sdl_display.h"
#include "desktop/sdl_message_sink.h"
#include "render/batched/batched_gl.h"
#include "state/viewport.h"

namespace {

constexpr int kWindowedPosition = 50;
constexpr int kWantedSamples = 4;

SDL_Window* WindowOf(const DemoState& state) {
  return static_cast<SDL_Window*>(state.window.platformWindow);
}

void SetContextAttributes(int samples) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
}

// Where the window goes and its size: full screen covers the primary display in the desktop's own mode,
// an exclusive full screen starts at the mode's size in the corner, a window sits near the corner.
SDL_Rect WindowRect(int width, int height, bool fullscreen, bool exclusive) {
  SDL_Rect display{0, 0, width, height};
  if (fullscreen && !exclusive && SDL_GetDisplayBounds(0, &display) == 0) return display;
  const int position = fullscreen ? 0 : kWindowedPosition;
  return {position, position, width, height};
}

bool IsX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::string_view(driver) == "x11";
}

// The window with a 4-sample format when the platform has one, else with an ordinary format. A full screen
// that keeps the desktop's mode is, on X11, a borderless window over the display that asks the window
// manager for the full-screen state before it is mapped (SDL's own way waits 100 ms for the window manager
// to move it); elsewhere (Wayland) SDL's desktop full screen.
SDL_Window* CreateWindow(DemoState& state, const char* title, int width, int height, bool fullscreen) {
  const bool desktopFullscreen = fullscreen && !state.setup.exclusive;
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (fullscreen)
    flags |= desktopFullscreen && !IsX11() ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_BORDERLESS;
  const SDL_Rect rect = WindowRect(width, height, fullscreen, state.setup.exclusive);
  for (int samples : {kWantedSamples, 0}) {
    SetContextAttributes(samples);
    if (SDL_Window* window = SDL_CreateWindow(title, rect.x, rect.y, rect.w, rect.h, flags)) {
      state.window.msaaSupported = samples > 0;
      return window;
    }
  }
  return nullptr;
}

// Asks an X11 window manager to show the (not yet mapped) window full screen.
void RequestFullscreenState(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  Atom fullscreenState = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&fullscreenState), 1);
}

// A current OpenGL 3.3 core (or ES 3.0) context with the batched renderer installed, unless the choice is
// the compatibility profile or no such context can be made (then nothing).
SDL_GLContext CreateBatchedContext(SDL_Window* window, RendererChoice choice) {
  if (choice == RendererChoice::Compatibility) return nullptr;
  const BatchedFlavour flavour = FlavourFor(choice);
  const bool es = flavour != BatchedFlavour::Core33;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK,
                      es ? SDL_GL_CONTEXT_PROFILE_ES : SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, es ? 0 : 3);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  std::string error;
  if (context && SDL_GL_MakeCurrent(window, context) == 0 && InstallBatchedGl(flavour, error)) {
    return context;
  }
  if (!error.empty())
    std::fprintf(stderr, "velmora: %s; drawing with the compatibility profile\n", error.c_str());
  if (context) SDL_GL_DeleteContext(context);
  return nullptr;
}

// Switches the window to full screen in the exact mode asked for.
bool EnterFullscreen(SDL_Window* window, int width, int height) {
  SDL_DisplayMode wanted{SDL_PIXELFORMAT_UNKNOWN, width, height, 0, nullptr};
  SDL_DisplayMode closest{};
  if (!SDL_GetClosestDisplayMode(0, &wanted, &closest)) return false;
  if (closest.w != width || closest.h != height) return false;
  return SDL_SetWindowDisplayMode(window, &closest) == 0 &&
         SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
}

bool Fail(DemoState& state, MessageSink& messages, const MessageText& message) {
  CloseMainWindow(state, messages);
  ShowWithSdlReason(messages, message);
  return false;
}

}  // namespace

bool OpenMainWindow(DemoState& state, MessageSink& messages, const char* title, int width, int height,
                    int /*bits*/, bool fullscreen) {
  state.setup.fullscreen = fullscreen;
  if (!InitDisplayVideo()) {
    ShowWithSdlReason(messages, messages::kRegisterClassFailed);
    return false;
  }

  SDL_Window* window = CreateWindow(state, title, width, height, fullscreen);
  if (!window) return Fail(state, messages, messages::kWindowCreationError);
  state.window.platformWindow = window;

  if (fullscreen && !state.setup.exclusive && IsX11()) RequestFullscreenState(window);
  if (fullscreen && state.setup.exclusive && !EnterFullscreen(window, width, height)) {
    if (!messages.AskYesNo(messages::kFullscreenUnsupported)) {
      return Fail(state, messages, messages::kProgramWillClose);
    }
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowPosition(window, kWindowedPosition, kWindowedPosition);
    state.setup.fullscreen = fullscreen = false;
  }
  if (fullscreen) SDL_ShowCursor(SDL_DISABLE);

  SDL_GLContext context = CreateBatchedContext(window, state.setup.renderer);
  if (!context && state.setup.renderer != RendererChoice::Auto &&
      state.setup.renderer != RendererChoice::Compatibility) {
    return Fail(state, messages, messages::kCreateContextFailed);
  }
  if (!context) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    context = SDL_GL_CreateContext(window);
  }
  if (!context) return Fail(state, messages, messages::kCreateContextFailed);
  state.window.platformContext = context;
  if (SDL_GL_MakeCurrent(window, context) != 0)
    return Fail(state, messages, messages::kActivateContextFailed);

  int samples = 0;
  if (state.window.msaaSupported) SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &samples);
  state.window.msaaFormat = samples;

  SDL_DisableScreenSaver();
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_GL_GetDrawableSize(window, &state.window.clientWidth, &state.window.clientHeight);
  ResizeViewport(state.window.clientWidth, state.window.clientHeight);
  return true;
}

void CloseMainWindow(DemoState& state, MessageSink& messages) {
  SDL_Window* window = WindowOf(state);
  if (window && state.setup.fullscreen) {
    SDL_SetWindowFullscreen(window, 0);
    SDL_ShowCursor(SDL_ENABLE);
  }
  if (state.window.platformContext) {
    UninstallBatchedGl();
    if (SDL_GL_MakeCurrent(window, nullptr) != 0) messages.Show(messages::kReleaseContextFailed);
    SDL_GL_DeleteContext(state.window.platformContext);
    state.window.platformContext = nullptr;
  }
  if (window) {
    SDL_DestroyWindow(window);
    state.window.platformWindow = nullptr;
  }
}

void LeaveFullscreen(const DemoState& state) {
  SDL_Window* window = WindowOf(state);
  if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) SDL_SetWindowFullscreen(window, 0);
}

void SwapMainWindow(const DemoState& state) {
  SDL_GL_SwapWindow(WindowOf(state));
}
