// The show in a web page: the core on a WebGL 2 context through the batched renderer, its music through Web
// Audio. The page calls velmora_start from its start button (sound may only start in a user gesture) and then
// the show runs one frame per animation frame until its end or Escape's closing fade; velmora_render_instant
// draws one instant (fast-forwarded, in silence, as velmora-frame draws it) for the tests.
//
// Every viewer has the rehearsal's hold on time: the page's seek bar seeks and pauses through it, and with
// ?rehearse the page hands it the rehearsal keys too. After each frame the page hears the clock and whether
// the show is paused (Module.onFrame), and gets the picture when a screenshot was asked for
// (Module.onScreenshot).
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "render/batched/batched_gl.h"
#include "render/offscreen_target.h"
#include "show/frame_driver.h"
#include "show/frame_renderer.h"
#include "show/rehearsal.h"
#include "show/startup.h"
#include "state/demo_state.h"
#include "state/messages.h"
#include "timing/demo_clock.h"
#include "timing/frame_record.h"
#include "web/web_music_player.h"

namespace {

EM_JS(void, PageShowMessage, (const char* text), {
  if (Module.onShowMessage) Module.onShowMessage(UTF8ToString(text));
});
EM_JS(void, PageShowEnded, (), {
  if (Module.onShowEnded) Module.onShowEnded();
});
EM_JS(void, PageFrameDrawn, (double demoClock, int paused), {
  if (Module.onFrame) Module.onFrame(demoClock, paused != 0);
});
// The page gets its own copy of the pixels (RGB, top row first) and the file name to offer them under.
EM_JS(void, PageOfferScreenshot, (const uint8_t* rgb, int width, int height, const char* name), {
  if (Module.onScreenshot)
    Module.onScreenshot(HEAPU8.slice(rgb, rgb + width * height * 3), width, height, UTF8ToString(name));
});

// Messages go to the browser's console and to the page's title card.
class PageMessageSink : public MessageSink {
 public:
  void Show(const MessageText& message) override {
    const std::string text(message.text);
    std::fprintf(stderr, "%.*s: %s\n", int(message.caption.size()), message.caption.data(), text.c_str());
    PageShowMessage(text.c_str());
  }
  bool AskYesNo(const MessageText& message) override {
    Show(message);
    return false;
  }
};

// The camera text has no clipboard to go to here; closing hands the page its title card back.
class PageFrameHost : public FrameHost {
 public:
  void CopyTextToClipboard(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void CloseMainWindow() override {}
};

PageMessageSink gMessages;
PageFrameHost gHost;
DemoState gState;
FrameRecord gFrame;
OffscreenTarget gTarget;
DemoClock gClock;
std::unique_ptr<ShowObject> gShow;
WebMusicPlayer gMusic;
Rehearsal gRehearsal;
std::unique_ptr<FrameRenderer> gInstant;
std::vector<uint8_t> gPixels;

// A WebGL 2 context on the page's canvas with the batched renderer installed; false with a line on the
// console where the browser has no WebGL 2.
bool OpenContext() {
  if (BatchedGlInstalled()) return true;
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  attributes.alpha = false;
  attributes.depth = false;
  attributes.antialias = false;  // the show draws into its own 4-sample target
  attributes.preserveDrawingBuffer = true;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#canvas", &attributes);
  if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
    std::fprintf(stderr, "velmora: this browser offers no WebGL 2\n");
    return false;
  }
  std::string error;
  if (!InstallBatchedGl(BatchedFlavour::WebGl2, error)) {
    std::fprintf(stderr, "velmora: %s\n", error.c_str());
    return false;
  }
  return true;
}

void CanvasSize(int& width, int& height) {
  emscripten_get_canvas_element_size("#canvas", &width, &height);
}

void EndShow() {
  emscripten_cancel_main_loop();
  gMusic.Close();
  PageShowEnded();
}

void OfferScreenshot() {
  const std::vector<uint8_t> pixels = ReadOffscreenPixels(gTarget);
  PageOfferScreenshot(pixels.data(), gTarget.width, gTarget.height, ScreenshotName(gState.demoClock).c_str());
}

// One frame of the live show, as the desktop's main loop runs it.
void LiveFrame() {
  CanvasSize(gState.window.clientWidth, gState.window.clientHeight);
  FrameContext frame{gState, gFrame, gTarget, gClock, gMusic, gHost, gShow, &gRehearsal};
  if (RunLiveFrame(frame) == FrameOutcome::EndProcess) {
    EndShow();
    return;
  }
  if (gRehearsal.TakeScreenshotRequest()) OfferScreenshot();
  PageFrameDrawn(gState.demoClock, gRehearsal.Paused());
}

}  // namespace

extern "C" {

// Starts the show at width x height (its picture; the canvas letterboxes it), with music unless `music` is 0,
// from `from` seconds of demo clock. False, after a message, when it cannot start.
EMSCRIPTEN_KEEPALIVE int velmora_start(int width, int height, int music, double from) {
  if (!OpenContext()) return 0;
  SetupOptions& setup = gState.setup;
  setup.musicOn = music != 0;
  setup.windowWidth = setup.renderWidth = width;
  setup.windowHeight = setup.renderHeight = height;
  setup.startAt = std::clamp(from, 0.0, kShowEnd);
  StartUpContext startUp{gState, gFrame, gTarget, gClock, gMessages, gShow, gMusic, nullptr};
  if (InitRenderState(startUp)) return 0;
  emscripten_set_main_loop(LiveFrame, 0, false);
  return 1;
}

// A key went down (1) or up (0); a key pressed since the last frame counts even if it is up again by then.
EMSCRIPTEN_KEEPALIVE void velmora_key(int code, int down) {
  gState.SetKey(code, down != 0);
}

// The seek bar's jump: to the grid frame nearest `demoClock`, drawn in the next frame.
EMSCRIPTEN_KEEPALIVE void velmora_seek(double demoClock) {
  gRehearsal.SeekTo(demoClock);
}

// The seek bar's pause and play button.
EMSCRIPTEN_KEEPALIVE void velmora_toggle_pause() {
  gRehearsal.Press(RehearsalCommand::TogglePause);
}

// A rehearsal key (a virtual-key code) went down; keys without a rehearsal command are ignored.
EMSCRIPTEN_KEEPALIVE void velmora_command(int virtualKey) {
  if (const auto command = RehearsalKeyCommand(virtualKey)) gRehearsal.Press(*command);
}

// Whether the frame last drawn was drawn paused.
EMSCRIPTEN_KEEPALIVE int velmora_paused() {
  return gRehearsal.Paused() ? 1 : 0;
}

// The demo clock at which the show ends, in seconds: the seek bar's length.
EMSCRIPTEN_KEEPALIVE double velmora_show_length() {
  return kShowEnd;
}

// The demo clock of the frame last drawn, in seconds.
EMSCRIPTEN_KEEPALIVE double velmora_demo_clock() {
  return gState.demoClock;
}

// Seconds of music heard so far (0 without music).
EMSCRIPTEN_KEEPALIVE double velmora_music_seconds() {
  return gState.setup.musicOn ? double(gMusic.Position()) / gMusic.Frequency() : 0.0;
}

// Draws demo clock `instant` at width x height into the canvas (letterboxed to its size); false on failure.
EMSCRIPTEN_KEEPALIVE int velmora_render_instant(double instant, int width, int height) {
  if (!OpenContext()) return 0;
  gInstant = FrameRenderer::Create(width, height, 1.0 / 60.0, gMessages);
  if (!gInstant) return 0;
  gInstant->RenderAt(instant);
  int canvasWidth = 0, canvasHeight = 0;
  CanvasSize(canvasWidth, canvasHeight);
  PresentOffscreenTarget(gInstant->Target(), 0, canvasWidth, canvasHeight);
  FlushBatchedGl();
  gPixels = gInstant->ReadPixels();
  return 1;
}

// The picture velmora_render_instant drew: RGB, top row first, width x height x 3 bytes.
EMSCRIPTEN_KEEPALIVE const uint8_t* velmora_pixels() {
  return gPixels.data();
}

}  // extern "C"

int main() {
  return 0;
}
