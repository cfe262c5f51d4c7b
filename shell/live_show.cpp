#include "shell/live_show.h"

#include <SDL.h>

#include "platform/clipboard.h"
#include "platform/fltk_setup_dialog.h"
#include "platform/sdl_display.h"
#include "platform/sdl_events.h"
#include "platform/sdl_message_sink.h"
#include "platform/sdl_music_player.h"
#include "platform/sdl_window.h"
#include "shell/display_modes.h"
#include "shell/startup.h"
#include "shell/virtual_keys.h"
#include "timing/frame_driver.h"

namespace {

constexpr const char* kWindowTitle = " = Velmora Oskel 2008 = ";
constexpr int kColourBits = 32;

// Records that live for the whole run, made before main starts.
DemoState gDemoState;
FrameRecord gFrameRecord;
OffscreenTarget gOffscreenTarget;
DemoClock gDemoClock;
SdlMusicPlayer gMusic;
std::unique_ptr<ShowObject> gShow;

class LiveFrameHost : public FrameHost {
 public:
  LiveFrameHost(DemoState& state, MessageSink& messages) : state_(state), messages_(messages) {}
  void CopyTextToClipboard(const std::string& text) override { ::CopyTextToClipboard(text); }
  void CloseMainWindow() override { ::CloseMainWindow(state_, messages_); }

 private:
  DemoState& state_;
  MessageSink& messages_;
};

// Lists the display modes and runs the setup dialog. False when the show must not start: no display, or the
// user quit.
bool ChooseSetup(SetupOptions& setup, MessageSink& messages) {
  if (!InitDisplayVideo()) {
    ShowWithSdlReason(messages, messages::kRegisterClassFailed);
    return false;
  }
  std::vector<DisplayMode> modes;
  EnumerateDisplayModes(modes);
  modes = ModesForDialog(std::move(modes), DesktopDisplayMode());
  std::vector<std::string> labels;
  for (DisplayMode mode : modes) labels.push_back(DisplayModeLabel(mode));

  const auto result = RunSetupDialog(labels, DefaultModeIndex(modes));
  if (!result) return false;
  ApplyRunCommand(setup, result->choice, modes[result->selection]);
  return true;
}

// Drains the event queue; false once the window has been closed.
bool DispatchEvents(DemoState& state) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (HandleWindowEvent(event, state, gFrameRecord) == EventOutcome::Quit) return false;
  }
  return true;
}

}  // namespace

int RunLiveShow(const LiveShowHooks& hooks) {
  DemoState& state = gDemoState;
  SdlMessageSink messages;
  if (!ChooseSetup(state.setup, messages)) return 0;

  if (!OpenMainWindow(state, messages, kWindowTitle, state.setup.windowWidth, state.setup.windowHeight,
                      kColourBits, state.setup.fullscreen)) {
    return 0;
  }
  StartUpContext startUp{state,    gFrameRecord, gOffscreenTarget, gDemoClock,
                         messages, gShow,        gMusic,           [] { SDL_GL_SetSwapInterval(0); }};
  if (auto exitCode = InitRenderState(startUp)) return *exitCode;

  LiveFrameHost host(state, messages);
  FrameContext frame{state, gFrameRecord, gOffscreenTarget, gDemoClock, gMusic, host, gShow};
  bool firstSwap = true;
  while (DispatchEvents(state)) {
    if (state.windowActive && RunFrame(frame) == FrameOutcome::EndProcess) return 0;
    if (state.keyDown[kVkEscape] && !state.endingStarted) {
      state.endingStarted = true;
      state.endStart = state.demoClock;
    }
    PresentOffscreenTarget(gOffscreenTarget, 0, state.window.clientWidth, state.window.clientHeight);
    SwapMainWindow(state);
    if (firstSwap && hooks.afterFirstSwap) hooks.afterFirstSwap();
    firstSwap = false;
  }
  CloseMainWindow(state, messages);
  return 0;
}
