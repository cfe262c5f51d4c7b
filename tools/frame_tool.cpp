// velmora-frame: renders one instant of the show to a PNG without a display.
// The show's files (textures/ and, for the spectrum, music/) are found as velmora finds them.
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/data_dir.h"
#include "cli/png_file.h"
#include "headless/headless_context.h"
#include "show/frame_renderer.h"
#include "state/messages.h"
#include "tools/frame_options.h"

namespace {

constexpr const char* kProgram = "velmora-frame";

}  // namespace

int main(int argc, char** argv) {
  const auto line = ParseFrameOptions(ArgumentsAfterName(argc, argv));
  if (line.action != CommandLineAction::Run)
    return AnswerCommandLine(line.action, kProgram, FrameHelp(), line.refusal);
  const FrameOptions& options = line.options;
  if (options.gpu.list) {
    std::fputs(FormatGpuList(ListGpuDevices()).c_str(), stdout);
    return 0;
  }
  const std::string output = std::filesystem::absolute(options.output).string();
  if (const auto missing = EnterShowData(kProgram)) {
    std::fprintf(stderr, "%s\n", missing->c_str());
    return 1;
  }
  std::string error;
  // Kept until the process ends, so that the driver outlives everything drawn with it.
  static const HeadlessContext* context =
      OpenHeadlessRenderer(options.renderer, options.gpu.device.value_or(kAutoGpu), error).release();
  if (!context) {
    std::fprintf(stderr, "%s: no headless OpenGL: %s\n", kProgram, error.c_str());
    return 1;
  }
  std::fprintf(stderr, "%s: drawing on %s\n", kProgram, context->Description().c_str());
  StderrMessageSink messages;
  auto renderer = FrameRenderer::Create(options.size.width, options.size.height, options.step, messages);
  if (!renderer) return 1;
  renderer->RenderAt(*options.time);
  if (!WritePng(output, renderer->ReadPixels(), renderer->Width(), renderer->Height())) {
    std::fprintf(stderr, "%s: cannot write %s\n", kProgram, output.c_str());
    return 1;
  }
  return 0;
}
