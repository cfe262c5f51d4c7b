// The show in a web page: the core on a WebGL 2 context through the batched renderer. The page calls
// velmora_render_instant to draw one instant (fast-forwarded, in silence, as velmora-frame draws it) and
// reads the picture back with velmora_pixels.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "render/batched/batched_gl.h"
#include "render/frame_renderer.h"
#include "render/offscreen_target.h"
#include "shell/messages.h"

namespace {

// Messages go to the browser's console (standard error).
class ConsoleMessageSink : public MessageSink {
 public:
  void Show(const MessageText& message) override {
    std::fprintf(stderr, "%.*s: %.*s\n", int(message.caption.size()), message.caption.data(),
                 int(message.text.size()), message.text.data());
  }
  bool AskYesNo(const MessageText& message) override {
    Show(message);
    return false;
  }
};

ConsoleMessageSink gMessages;
std::unique_ptr<FrameRenderer> gRenderer;
std::vector<uint8_t> gPixels;

// A WebGL 2 context on the page's canvas with the batched renderer installed; false with a line on the
// console where the browser has no WebGL 2.
bool OpenContext() {
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

}  // namespace

extern "C" {

// Draws demo clock `instant` at width x height into the canvas (letterboxed to its size); false on failure.
EMSCRIPTEN_KEEPALIVE int velmora_render_instant(double instant, int width, int height) {
  if (!BatchedGlInstalled() && !OpenContext()) return 0;
  gRenderer = FrameRenderer::Create(width, height, 1.0 / 60.0, gMessages);
  if (!gRenderer) return 0;
  gRenderer->RenderAt(instant);
  int canvasWidth = 0, canvasHeight = 0;
  emscripten_get_canvas_element_size("#canvas", &canvasWidth, &canvasHeight);
  PresentOffscreenTarget(gRenderer->Target(), 0, canvasWidth, canvasHeight);
  FlushBatchedGl();
  gPixels = gRenderer->ReadPixels();
  return 1;
}

// The picture last drawn: RGB, top row first, width x height x 3 bytes.
EMSCRIPTEN_KEEPALIVE const uint8_t* velmora_pixels() {
  return gPixels.data();
}

}  // extern "C"

int main() {
  return 0;
}
