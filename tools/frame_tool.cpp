// velmora-frame: renders one instant of the show to a PNG without a display.
// Usage: velmora-frame --time SECONDS [--size WxH] [--step 1/60] OUT.png
// The show's files (textures/ and, for the spectrum, music/) are found as velmora finds them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/data_dir.h"
#include "cli/number_text.h"
#include "cli/option_values.h"
#include "headless/headless_context.h"
#include "show/frame_renderer.h"
#include "state/messages.h"
#include "tools/png_file.h"

namespace {

constexpr int kLargestSide = 7680;

struct Options {
  double time = -1.0;
  int width = 1280;
  int height = 720;
  double step = 1.0 / 60.0;
  int gpu = kAutoGpu;
  RendererChoice renderer = RendererChoice::Auto;
  std::string output;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--time" && hasValue) {
      const auto time = ParseFraction(argv[++i]);
      if (!time || *time < 0) return std::nullopt;
      options.time = *time;
    } else if (argument == "--size" && hasValue) {
      const auto size = ParsePictureSize(argv[++i]);
      if (!size) return std::nullopt;
      options.width = size->width;
      options.height = size->height;
    } else if (argument == "--step" && hasValue) {
      const auto step = ParseFraction(argv[++i]);
      if (!step || *step <= 0 || *step > 1) return std::nullopt;
      options.step = *step;
    } else if (argument == "--gpu" && hasValue) {
      const auto gpu = ParseGpuChoice(argv[++i]);
      if (!gpu) return std::nullopt;
      options.gpu = *gpu;
    } else if (argument == "--renderer" && hasValue) {
      const auto renderer = ParseRendererChoice(argv[++i]);
      if (!renderer) return std::nullopt;
      options.renderer = *renderer;
    } else if (argument.rfind("--", 0) != 0 && options.output.empty()) {
      options.output = argument;
    } else {
      return std::nullopt;
    }
  }
  const bool sizeOk = options.width > 0 && options.height > 0 && options.width <= kLargestSide &&
                      options.height <= kLargestSide;
  if (options.gpu == kListGpus) return options;
  if (options.time < 0 || options.output.empty() || !sizeOk) return std::nullopt;
  return options;
}

constexpr const char* kUsage =
    "Usage: velmora-frame --time SECONDS [--size WxH] [--step 1/60] [--gpu auto|N] [--renderer R] OUT.png\n"
    "Renders one instant of the Velmora show to a PNG, without a display, exactly as the show draws it.\n"
    "\n"
    "  --time SECONDS  the instant, in seconds of demo clock (fractions such as 3553/30 allowed)\n"
    "  --size WxH      the picture's size, up to 7680x7680 (default 1280x720)\n"
    "  --step SECONDS  the frame step the show's clocks run at up to the instant (default 1/60)\n"
    "  --gpu auto|N    the EGL device to draw on (--gpu list prints them and exits)\n"
    "  --renderer R    auto (default: batched where it can be made), batched (OpenGL 3.3 core),\n"
    "                  batched-es (OpenGL ES 3.0), batched-webgl (ES 3.0 drawn as in a browser's WebGL 2)\n"
    "                  or compat (the compatibility profile)\n"
    "  --help          show this help and exit\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (options->gpu == kListGpus) {
    std::fputs(FormatGpuList(ListGpuDevices()).c_str(), stdout);
    return 0;
  }
  const std::string output = std::filesystem::absolute(options->output).string();
  if (const auto missing = EnterShowData("velmora-frame")) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }
  std::string error;
  // Kept until the process ends, so that the driver outlives everything drawn with it.
  static const HeadlessContext* context =
      OpenHeadlessRenderer(options->renderer, options->gpu, error).release();
  if (!context) {
    std::fprintf(stderr, "velmora-frame: no headless OpenGL: %s\n", error.c_str());
    return 1;
  }
  std::fprintf(stderr, "velmora-frame: drawing on %s\n", context->Description().c_str());
  StderrMessageSink messages;
  auto renderer = FrameRenderer::Create(options->width, options->height, options->step, messages);
  if (!renderer) return 1;
  renderer->RenderAt(options->time);
  if (!WritePng(output, renderer->ReadPixels(), renderer->Width(), renderer->Height())) {
    std::fprintf(stderr, "velmora-frame: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
