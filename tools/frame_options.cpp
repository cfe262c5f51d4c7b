#include "tools/frame_options.h"

#include "cli/help_text.h"

namespace {

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

}  // namespace

std::string FrameHelp() {
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

ParsedFrameOptions ParseFrameOptions(std::span<const char* const> arguments) {
  return ReadCommandLine<FrameOptions>("velmora-frame", arguments, kOptions, ReadOption, ReadOperands);
}
