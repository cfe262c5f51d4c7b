#include "tools/capture/capture_options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "cli/number_text.h"
#include "cli/option_values.h"
#include "headless/headless_context.h"
#include "timing/frame_timing.h"

namespace {

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto size = ParsePictureSize(text);
  if (!size) return false;
  width = size->width;
  height = size->height;
  return true;
}

std::string Format(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", seconds);
  return text;
}

// The first thing wrong with options that parsed, or nothing.
std::string CheckOptions(const CaptureOptions& o) {
  if (o.width < 1 || o.height < 1 || o.width > kLargestCaptureWidth || o.height > kLargestCaptureHeight) {
    return "--size must be from 1x1 to 7680x4320 (got " + std::to_string(o.width) + "x" +
           std::to_string(o.height) + ")";
  }
  if (o.video && (o.width % 2 || o.height % 2)) {
    return "a video needs an even width and height (got " + std::to_string(o.width) + "x" +
           std::to_string(o.height) + ")";
  }
  if (!o.video && (!o.codec.empty() || !o.encoder.empty() || o.crf)) {
    return "--codec, --encoder and --crf are for videos, not PNGs";
  }
  if (o.fps < 1 || o.fps > kHighestCaptureFps) {
    return "--fps must be from 1 to 240 (got " + std::to_string(o.fps) + ")";
  }
  if (o.from < 0 || o.to > kShowEnd) return "--from and --to must lie within the show, 0 to 236.8 s";
  if (o.from >= o.to) return "--from (" + Format(o.from) + ") must come before --to (" + Format(o.to) + ")";
  if (o.FrameCount() < 1) {
    return "no frame lies after " + Format(o.from) + " s up to " + Format(o.to) + " s at " +
           std::to_string(o.fps) + " fps";
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
  ParsedCapture parsed;
  CaptureOptions& o = parsed.options;
  o.to = kShowEnd;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      o.help = true;
      return parsed;
    }
    const bool isOption = argument.rfind("--", 0) == 0;
    if (!isOption) {
      if (!o.output.empty()) return {o, "more than one output given (" + o.output + ", " + argument + ")"};
      o.output = argument;
      continue;
    }
    if (i + 1 == arguments.size()) return {o, argument + " needs a value"};
    const std::string value = arguments[++i];
    const std::string bad = "bad value for " + argument + ": " + value;
    if (argument == "--size") {
      if (!ParseSize(value, o.width, o.height)) return {o, bad + " (expected WxH, such as 1920x1080)"};
    } else if (argument == "--fps") {
      const auto fps = ParseWholeNumber(value);
      if (!fps) return {o, bad + " (expected a whole number from 1 to 240)"};
      o.fps = *fps;
    } else if (argument == "--from" || argument == "--to") {
      const auto seconds = ParseFraction(value.c_str());
      if (!seconds) return {o, bad + " (expected seconds of demo clock)"};
      (argument == "--from" ? o.from : o.to) = *seconds;
    } else if (argument == "--samples") {
      if (value == "4")
        o.sampling = Sampling::Multisample4;
      else if (value == "ssaa2")
        o.sampling = Sampling::Supersample2;
      else if (value == "ssaa4")
        o.sampling = Sampling::Supersample4;
      else
        return {o, bad + " (expected 4, ssaa2 or ssaa4)"};
    } else if (argument == "--crf") {
      const auto crf = ParseWholeNumber(value);
      if (!crf) return {o, bad + " (expected a whole number, such as 18)"};
      o.crf = *crf;
    } else if (argument == "--codec") {
      o.codec = value;
    } else if (argument == "--encoder") {
      o.encoder = value;
    } else if (argument == "--renderer") {
      const auto renderer = ParseRendererChoice(value);
      if (!renderer || *renderer == RendererChoice::BatchedEs || *renderer == RendererChoice::BatchedWebGl)
        return {o, bad + " (expected auto, batched or compat)"};
      o.renderer = *renderer;
    } else if (argument == "--gpu") {
      const auto gpu = ParseGpuChoice(value);
      if (!gpu) return {o, bad + " (expected auto, list or a device number)"};
      o.listGpus = *gpu == kListGpus;
      if (!o.listGpus) o.gpu = *gpu;
    } else {
      return {o, "unknown option " + argument};
    }
  }
  if (o.listGpus) return parsed;
  if (o.output.empty()) return {o, "no output given (a .mp4, .mkv or .mov file or a directory ending in /)"};
  const std::optional<Container> container = ContainerOf(o.output);
  o.video = container.has_value();
  o.container = container.value_or(Container::Mp4);
  const bool directory = o.output.back() == '/' || std::filesystem::is_directory(o.output);
  if (!o.video && !directory) {
    return {o,
            "the output must be a .mp4, .mkv or .mov file or a directory ending in / (got " + o.output + ")"};
  }
  parsed.error = CheckOptions(o);
  return parsed;
}
