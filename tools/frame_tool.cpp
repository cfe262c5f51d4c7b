// velmora-frame: renders one instant of the show to a PNG without a display.
// The show's files (textures/ and, for the spectrum, music/) are found as velmora finds them.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command_line.h"
#include "cli/data_dir.h"
#include "cli/help_text.h"
#include "cli/option_values.h"
#include "headless/headless_context.h"
#include "show/frame_renderer.h"
#include "state/messages.h"
#include "cli/png_file.h"

namespace {

constexpr const char* kProgram = "velmora-frame";

struct FrameOptions {
  std::optional<double> time;
  PictureSize size{1280, 720};
  double step = 1.0 / 60.0;
  GpuChoice gpu;
  RendererChoice renderer = RendererChoice::Auto;
  std::string output;
};

enum Option { kTime, kSize, kStep, kGpu, kRenderer };

constexpr OptionSpec kOptions[] = {
    {"time", kTime, true}, {"size", kSize, true},         {"step", kStep, true},
    {"gpu", kGpu, true},   {"renderer", kRenderer, true},
};

std::string ReadOption(const OptionWord& word, FrameOptions& options) {
  switch (Option(word.id)) {
    case kTime:
      return ReadValue(word, kShowInstants, options.time);
    case kSize:
      return ReadValue(word, kShowSizes, options.size);
    case kStep:
      return ReadValue(word, kFrameSteps, options.step);
    case kGpu:
      return ReadValue(word, kGpus, options.gpu);
    case kRenderer:
      return ReadValue(word, AllRenderers(), options.renderer);
  }
  return "";
}

std::string ReadOperands(const std::vector<std::string>& operands, FrameOptions& options) {
  if (options.gpu.list) return "";
  if (!options.time) return "--time is needed: the instant to draw, in " + kShowInstants.Takes();
  return OneOutput(operands, "OUT.png", options.output);
}

std::string HelpText() {
  const FrameOptions defaults;
  return "Usage: velmora-frame --time SECONDS [OPTION]... OUT.png\n" +
         HelpParagraph(
             "Renders one instant of the Velmora show to a PNG, without a display, exactly as the "
             "show draws it.") +
         "\n" +
         HelpOptions({
             {"--time SECONDS", "the instant, in seconds of demo clock " + kShowInstants.Range() +
                                    " (the show's end; fractions such as 3553/30 allowed)"},
             {"--size WxH", "the picture's size, " + kShowSizes.Range() + " (default " +
                                FormatPictureSize(defaults.size) + ")"},
             {"--step SECONDS", "the frame step the show's clocks run at up to the instant, " +
                                    kFrameSteps.Range() + " (default 1/60)"},
             {"--gpu auto|N|list", "the EGL device to draw on (list: print them and exit)"},
             {"--renderer R",
              AllRenderers().Takes() +
                  ": auto (the default) takes batched (OpenGL 3.3 core) where it can be made, "
                  "else compat (the compatibility profile); batched-es draws on OpenGL ES 3.0, "
                  "batched-webgl on ES 3.0 as a browser's WebGL 2"},
         }) +
         "\n" +
         HelpParagraph(
             "The show's files (textures/ and, for the spectrum, music/) are found as velmora finds "
             "them.") +
         "\n" +
         HelpParagraph(
             "Exit status: 0 when the picture is written, 1 when the show's files are not found or "
             "the picture cannot be drawn or written, 2 for a command line that cannot be used.");
}

}  // namespace

int main(int argc, char** argv) {
  const auto line = ReadCommandLine<FrameOptions>(kProgram, ArgumentsAfterName(argc, argv), kOptions,
                                                  ReadOption, ReadOperands);
  if (line.action != CommandLineAction::Run)
    return AnswerCommandLine(line.action, kProgram, HelpText(), line.refusal);
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
