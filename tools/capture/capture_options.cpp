#include "tools/capture/capture_options.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "cli/help_text.h"

namespace {

enum Option { kSize, kFps, kFrom, kTo, kSamples, kCodec, kEncoder, kCrf, kGpu, kRenderer };

constexpr OptionSpec kOptions[] = {
    {"size", kSize, true},       {"fps", kFps, true},
    {"from", kFrom, true},       {"to", kTo, true},
    {"samples", kSamples, true}, {"codec", kCodec, true},
    {"encoder", kEncoder, true}, {"crf", kCrf, true},
    {"gpu", kGpu, true},         {"renderer", kRenderer, true},
};

const ChoiceRule<Sampling>& Samplings() {
  static const ChoiceRule<Sampling> samplings({
      {"4", Sampling::Multisample4},
      {"ssaa2", Sampling::Supersample2},
      {"ssaa4", Sampling::Supersample4},
  });
  return samplings;
}

constexpr const char* kOutputs = "a .mp4, .mkv or .mov file or a directory ending in /";

std::string ReadOption(const OptionWord& word, CaptureOptions& o) {
  switch (Option(word.id)) {
    case kSize:
      return ReadValue(word, kCaptureSizes, o.size);
    case kFps:
      return ReadValue(word, kFrameRates, o.fps);
    case kFrom:
      return ReadValue(word, kShowInstants, o.from);
    case kTo:
      return ReadValue(word, kShowInstants, o.to);
    case kSamples:
      return ReadValue(word, Samplings(), o.sampling);
    case kCodec:
      return ReadValue(word, CaptureCodecs(), o.codec);
    case kEncoder:
      o.encoder = word.value;
      break;
    case kCrf:
      return ReadValue(word, kEncoderQualities, o.crf);
    case kGpu:
      return ReadValue(word, kGpus, o.gpu);
    case kRenderer:
      return ReadValue(word, CaptureRenderers(), o.renderer);
  }
  return "";
}

// The output and what holds only for some outputs or between options.
std::string ReadOperands(const std::vector<std::string>& operands, CaptureOptions& o) {
  if (o.gpu.list) return "";
  if (std::string refused = OneOutput(operands, kOutputs, o.output); !refused.empty()) return refused;
  const std::optional<Container> container = ContainerOf(o.output);
  o.video = container.has_value();
  o.container = container.value_or(Container::Mp4);
  std::error_code unreadable;  // a name the system refuses (too long, say) is no directory
  const bool directory = o.output.ends_with('/') || std::filesystem::is_directory(o.output, unreadable);
  if (!o.video && !directory)
    return "the output must be " + std::string(kOutputs) + ", not '" + o.output + "'";
  if (o.video && !kVideoSizes.Allows(o.size)) {
    return "a video's " + RefusedValue("--size", kVideoSizes.Takes(), FormatPictureSize(o.size));
  }
  if (!o.video) {
    const char* videoOption = !o.codec.empty()     ? "--codec"
                              : !o.encoder.empty() ? "--encoder"
                              : o.crf              ? "--crf"
                                                   : "";
    if (*videoOption)
      return std::string(videoOption) + " is for videos, not for the PNGs of '" + o.output + "'";
  }
  if (o.from >= o.to) {
    return RefusedValue("--from", "seconds before --to (" + FormatNumber(o.to) + ")", FormatNumber(o.from));
  }
  if (o.FrameCount() < 1) {
    return "no frame lies after --from " + FormatNumber(o.from) + " up to --to " + FormatNumber(o.to) +
           " at --fps " + std::to_string(o.fps);
  }
  return "";
}

}  // namespace

long long CaptureOptions::FirstFrame() const {
  return std::llround(from * fps) + 1;
}

long long CaptureOptions::LastFrame() const {
  // At rates that do not divide the show's length, the last frame of the show is the one before its end.
  const auto lastOfShow = static_cast<long long>(std::floor(kShowEnd * fps + 1e-6));
  return std::min(std::llround(to * fps), lastOfShow);
}

int CaptureOptions::SupersampleFactor() const {
  switch (sampling) {
    case Sampling::Supersample2:
      return 2;
    case Sampling::Supersample4:
      return 4;
    case Sampling::Multisample4:
      break;
  }
  return 1;
}

ParsedCapture ParseCaptureOptions(std::span<const char* const> arguments) {
  return ReadCommandLine<CaptureOptions>("velmora-capture", arguments, kOptions, ReadOption, ReadOperands);
}

std::string CaptureHelp() {
  const CaptureOptions defaults;
  return "Usage: velmora-capture [OPTION]... OUT.mp4|OUT.mkv|OUT.mov|OUT_DIR/\n" +
         HelpParagraph(
             "Renders the Velmora show without a display, frame by exact frame, into a video with its "
             "music or into numbered PNGs.") +
         "\n" +
         HelpOptions({
             {"--size WxH", "the picture's size, " + kCaptureSizes.Range() +
                                ", even sides for a video (default " + FormatPictureSize(defaults.size) +
                                ")"},
             {"--fps N",
              "frames a second, " + kFrameRates.Takes() + " (default " + std::to_string(defaults.fps) + ")"},
             {"--from S, --to S", "the span, in seconds of demo clock " + kShowInstants.Range() +
                                      " (default the whole show; fractions such as 3553/30 allowed)"},
             {"--samples " + Samplings().Alternatives(),
              "the show's 4 samples (the default), or 2 or 4 times larger pictures averaged down"},
             {"--codec C", CodecNotes()},
             {"--encoder NAME",
              "any video encoder of the installed ffmpeg for that codec, such as h264_nvenc"},
             {"--crf N", "the encoder's quality knob (" + QualityRanges() + ")"},
             {"--gpu auto|N|list", "the EGL device to draw on (list: print them and exit)"},
             {"--renderer R",
              CaptureRenderers().Takes() + ": auto (the default) takes batched where it can be made"},
         }) +
         "\n" +
         HelpParagraph(
             "A video is written as .OUT.partial.EXT beside OUT and renamed to OUT once complete. "
             "Exit status: 0 when done, 1 when the capture failed on the way (the part written is "
             "kept in the partial file), 2 for a command line or an output that cannot be used (nothing "
             "is rendered), 130 when interrupted (what was captured is kept, playable, in the partial "
             "file).");
}
