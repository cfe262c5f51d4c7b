#include "desktop/live_show.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "cli/data_dir.h"
#include "cli/png_file.h"
#include "desktop/clipboard.h"
#include "desktop/command_line.h"
#include "desktop/display_modes.h"
#include "desktop/fltk_setup_dialog.h"
#include "desktop/sdl_display.h"
#include "desktop/sdl_events.h"
#include "desktop/sdl_message_sink.h"
#include "desktop/sdl_music_player.h"
#include "desktop/sdl_window.h"
#include "scenes/rows.h"
#include "show/frame_driver.h"
#include "show/rehearsal.h"
#include "show/startup.h"

namespace {

constexpr const char* kWindowTitle = " = Velmora Oskel 2008 = ";
constexpr int kColourBits = 32;
constexpr int kPausedTurn = 15;  // ms a paused show waits for input between presenting the picture again

// Records that live for the whole run, made before main starts.
DemoState gDemoState;
FrameRecord gFrameRecord;
OffscreenTarget gOffscreenTarget;
DemoClock gDemoClock;
SdlMusicPlayer gMusic;
std::unique_ptr<ShowObject> gShow;
volatile std::sig_atomic_t gHangUp = 0;  // SDL turns SIGINT and SIGTERM into a quit event; SIGHUP is ours

class LiveFrameHost : public FrameHost {
 public:
  LiveFrameHost(DemoState& state, MessageSink& messages) : state_(state), messages_(messages) {}
  void CopyTextToClipboard(const std::string& text) override { ::CopyTextToClipboard(text); }
  void CloseMainWindow() override { ::CloseMainWindow(state_, messages_); }

 private:
  DemoState& state_;
  MessageSink& messages_;
};

// Lists the display modes and, unless told not to, runs the setup dialog with the options' choices. False
// when the show must not start: no display, or the user quit.
bool ChooseSetup(SetupOptions& setup, const LaunchOptions& launch, MessageSink& messages) {
  if (!InitDisplayVideo()) {
    ShowWithSdlReason(messages, messages::kRegisterClassFailed);
    return false;
  }
  std::vector<DisplayMode> modes;
  EnumerateDisplayModes(modes);
  modes = ModesForDialog(std::move(modes), DesktopDisplayMode());
  size_t selection = launch.size ? SelectMode(modes, *launch.size) : DefaultModeIndex(modes);
  SetupChoice choice = launch.choice;
  if (launch.showDialog) {
    std::vector<std::string> labels;
    for (DisplayMode mode : modes) labels.push_back(DisplayModeLabel(mode));
    const auto result = RunSetupDialog(labels, selection, choice);
    if (!result) return false;
    choice = result->choice;
    selection = result->selection;
  }
  ApplyRunCommand(setup, choice, modes[selection]);
  setup.exclusive = launch.exclusive;
  setup.renderer = launch.renderer;
  setup.startAt = launch.from;
  return true;
}

// A key pressed in rehearsal mode: its command, in the order pressed. Held keys repeat jumps and steps.
void PassToRehearsal(const SDL_KeyboardEvent& key, Rehearsal& rehearsal) {
  const auto command = RehearsalKeyCommand(VirtualKeyFromSdl(key.keysym.sym));
  if (!command) return;
  const bool repeats = *command != RehearsalCommand::TogglePause &&
                       *command != RehearsalCommand::Screenshot &&
                       *command != RehearsalCommand::ToggleOverlay;
  if (!key.repeat || repeats) rehearsal.Press(*command);
}

// The music's device went away: the player plays on, on another device or in silence, and says which here.
void PlayOnAfterDeviceLoss(const SDL_AudioDeviceEvent& removed) {
  if (removed.iscapture) return;
  switch (gMusic.HandleDeviceRemoved(removed.which)) {
    case DeviceLoss::Reopened:
      std::fprintf(stderr,
                   "velmora: the sound device went away; the music plays on through the default one\n");
      break;
    case DeviceLoss::Silent:
      std::fprintf(stderr,
                   "velmora: the sound device went away and no other opens; the show plays on silently\n");
      break;
    case DeviceLoss::NotOurs:
      break;
  }
}

// Drains the event queue (a paused show first waits a little for an event); false once the window has been
// closed or the program told to stop.
bool DispatchEvents(DemoState& state, Rehearsal* rehearsal) {
  if (rehearsal && rehearsal->Paused()) SDL_WaitEventTimeout(nullptr, kPausedTurn);
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (HandleWindowEvent(event, state, gFrameRecord) == EventOutcome::Quit) return false;
    if (rehearsal && event.type == SDL_KEYDOWN) PassToRehearsal(event.key, *rehearsal);
    if (event.type == SDL_AUDIODEVICEREMOVED) PlayOnAfterDeviceLoss(event.adevice);
  }
  return !gHangUp;
}

// The picture as it stands, at its own size, to velmora-CLOCK.png in the folder the program was started from
// (the working directory is the show's data folder by now, perhaps not even writable).
void WriteScreenshot(const DemoState& state, const std::filesystem::path& folder) {
  const std::string path = (folder / ScreenshotName(state.demoClock)).string();
  if (WritePng(path, ReadOffscreenPixels(gOffscreenTarget), gOffscreenTarget.width,
               gOffscreenTarget.height)) {
    std::fprintf(stderr, "velmora: wrote %s\n", path.c_str());
  } else {
    std::fprintf(stderr, "velmora: could not write %s\n", path.c_str());
  }
}

// Leaves no sound playing or decoding, and the display in the mode it was found in. (Not SDL_Quit: closing
// the X display unloads the GL driver before the process ends, and the leak checker then cannot name what
// the driver keeps.)
struct ShutDownOnReturn {
  ~ShutDownOnReturn() {
    gMusic.Close();
    LeaveFullscreen(gDemoState);
  }
};

int RunLiveShow(const LaunchOptions& launch, const std::filesystem::path& launchFolder,
                const LiveShowHooks& hooks) {
  ShutDownOnReturn shutDown;
  DemoState& state = gDemoState;
  SdlMessageSink messages;
  if (launch.choice.music) gMusic.Prefetch(kMusicFile);  // decoded while the dialog waits
  if (!ChooseSetup(state.setup, launch, messages)) return 0;
  if (!state.setup.musicOn) gMusic.DropPrefetch();
  std::signal(SIGHUP, [](int) { gHangUp = 1; });

  if (!OpenMainWindow(state, messages, kWindowTitle, state.setup.windowWidth, state.setup.windowHeight,
                      kColourBits, state.setup.fullscreen)) {
    return 0;
  }
  StartUpContext startUp{state,    gFrameRecord, gOffscreenTarget, gDemoClock,
                         messages, gShow,        gMusic,           [] { SDL_GL_SetSwapInterval(0); }};
  if (auto exitCode = InitRenderState(startUp)) return *exitCode;
  UseRowThreads(RowThreadsForThisMachine());

  LiveFrameHost host(state, messages);
  Rehearsal rehearsal;
  Rehearsal* controls = state.setup.rehearse ? &rehearsal : nullptr;
  FrameContext frame{state, gFrameRecord, gOffscreenTarget, gDemoClock, gMusic, host, gShow, controls};
  bool firstSwap = true;
  while (DispatchEvents(state, controls)) {
    if (RunLiveFrame(frame) == FrameOutcome::EndProcess) return 0;
    if (controls && controls->TakeScreenshotRequest()) WriteScreenshot(state, launchFolder);
    SwapMainWindow(state);
    if (firstSwap && hooks.afterFirstSwap) hooks.afterFirstSwap(gOffscreenTarget);
    if (hooks.afterEachSwap) hooks.afterEachSwap(state);
    firstSwap = false;
  }
  CloseMainWindow(state, messages);
  return 0;
}

}  // namespace

int RunVelmora(int argc, char** argv, const LiveShowHooks& hooks) {
  const CommandLine line = ParseCommandLine(ArgumentsAfterName(argc, argv));
  if (line.action != CommandLineAction::Run)
    return AnswerCommandLine(line.action, "velmora", UsageText(), line.refusal);
  std::error_code noFolder;
  const std::filesystem::path launchFolder = std::filesystem::current_path(noFolder);
  if (const auto missing = EnterShowData("velmora")) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }
  return RunLiveShow(line.options, launchFolder, hooks);
}
