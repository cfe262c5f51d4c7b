#include "tools/capture/codecs.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

struct Codec {
  const char* name;
  const char* encoder;  // its own encoder
  std::vector<Container> containers;
  const char* pixelFormat;
  bool yuv;           // converted with the BT.709 matrix and tagged so; otherwise RGB as drawn
  const char* about;  // for the help: what it is, where the name does not say
};

const std::vector<Codec>& Codecs() {
  static const std::vector<Codec> codecs = {
      {"h264", "libx264", {Container::Mp4, Container::Mkv, Container::Mov}, "yuv420p", true, "the default"},
      {"hevc", "libx265", {Container::Mp4, Container::Mkv, Container::Mov}, "yuv420p", true, ""},
      {"av1", "libsvtav1", {Container::Mp4, Container::Mkv}, "yuv420p", true, ""},
      {"prores", "prores_ks", {Container::Mov, Container::Mkv}, "yuv444p10le", true, "ProRes 4444"},
      {"ffv1", "ffv1", {Container::Mkv}, "gbrp", false, "lossless RGB"},
  };
  return codecs;
}

// How an encoder is driven: its own settings, and the option its quality (--crf) maps to, if any.
struct EncoderSettings {
  std::vector<std::string> arguments;
  std::string qualityOption;
  int highestQuality = 51;  // the largest value the option takes
  std::optional<int> defaultQuality;
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

EncoderSettings SettingsOf(const std::string& encoder) {
  if (encoder == "libx264") return {{"-preset", "veryfast"}, "-crf", 51, 16};
  if (encoder == "libx265") return {{"-preset", "fast", "-x265-params", "log-level=error"}, "-crf", 51, 18};
  if (encoder == "libsvtav1") return {{"-preset", "8"}, "-crf", 63, 26};
  if (encoder == "libaom-av1") return {{"-cpu-used", "6", "-b:v", "0"}, "-crf", 63, 26};
  if (encoder == "prores_ks") return {{"-profile:v", "4", "-vendor", "apl0"}, "", 0, {}};
  if (encoder == "ffv1") return {{"-level", "3", "-g", "1", "-slicecrc", "1"}, "", 0, {}};
  if (EndsWith(encoder, "_nvenc")) return {{"-preset", "p5"}, "-cq", 51, {}};
  if (EndsWith(encoder, "_vaapi")) return {{}, "-qp", 51, {}};
  if (EndsWith(encoder, "_qsv")) return {{}, "-global_quality", 51, {}};
  return {};
}

const Codec* FindCodec(const std::string& name) {
  for (const Codec& codec : Codecs()) {
    if (name == codec.name) return &codec;
  }
  return nullptr;
}

const char* ContainerName(Container container) {
  switch (container) {
    case Container::Mp4:
      return ".mp4";
    case Container::Mkv:
      return ".mkv";
    case Container::Mov:
      return ".mov";
  }
  return "";
}

std::vector<std::string> AudioArguments(Container container) {
  switch (container) {
    case Container::Mp4:
      return {"-c:a", "aac", "-b:a", "192k"};
    case Container::Mov:
      return {"-c:a", "pcm_s16le"};
    case Container::Mkv:
      return {"-c:a", "flac"};
  }
  return {};
}

}  // namespace

std::map<std::string, EncoderInfo> ParseFfmpegEncoders(const std::string& listing) {
  std::map<std::string, EncoderInfo> encoders;
  std::istringstream lines(listing);
  bool pastHeader = false;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string flags, name;
    words >> flags >> name;
    if (flags == "------") {
      pastHeader = true;
      continue;
    }
    if (!pastHeader || flags.size() != 6 || flags[0] != 'V' || name.empty()) continue;
    std::string codec = name;
    const size_t mark = line.rfind("(codec ");
    if (mark != std::string::npos) {
      const size_t end = line.find(')', mark);
      codec = line.substr(mark + 7, end == std::string::npos ? std::string::npos : end - mark - 7);
    }
    encoders[name] = {codec};
  }
  return encoders;
}

std::optional<Container> ContainerOf(const std::string& output) {
  std::string lower = output;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  if (EndsWith(lower, ".mp4")) return Container::Mp4;
  if (EndsWith(lower, ".mkv")) return Container::Mkv;
  if (EndsWith(lower, ".mov")) return Container::Mov;
  return std::nullopt;
}

const ChoiceRule<std::string_view>& CaptureCodecs() {
  static const ChoiceRule<std::string_view> codecs = [] {
    std::vector<Named<std::string_view>> names;
    for (const Codec& codec : Codecs()) names.push_back({codec.name, codec.name});
    return ChoiceRule<std::string_view>(std::move(names));
  }();
  return codecs;
}

std::string KnownCodecs() {
  return CaptureCodecs().Takes();
}

std::string CodecNotes() {
  std::string notes;
  for (const Codec& codec : Codecs()) {
    std::string containers;
    for (const Container container : codec.containers) {
      containers += (containers.empty() ? "" : "/") + std::string(ContainerName(container));
    }
    notes += (notes.empty() ? "" : ", ") + std::string(codec.name) + " (" + codec.about +
             (*codec.about ? ", " : "") + containers + ")";
  }
  return notes;
}

std::string QualityRanges() {
  std::string ranges, without;
  for (const Codec& codec : Codecs()) {
    const EncoderSettings settings = SettingsOf(codec.encoder);
    if (settings.qualityOption.empty()) {
      without += (without.empty() ? "" : ", ") + std::string(codec.name);
    } else {
      ranges += (ranges.empty() ? "" : ", ") + std::string(codec.name) + " 0-" +
                std::to_string(settings.highestQuality);
    }
  }
  return ranges + "; not for " + without;
}

std::optional<EncodingPlan> PlanEncoding(const EncodingRequest& request,
                                         const std::map<std::string, EncoderInfo>& available,
                                         std::string& error) {
  const auto named = available.find(request.encoder);
  if (!request.encoder.empty() && named == available.end()) {
    error = "this ffmpeg has no video encoder " + request.encoder + " (ffmpeg -encoders lists them)";
    return std::nullopt;
  }
  std::string codecName = request.codec;
  if (codecName.empty()) codecName = request.encoder.empty() ? "h264" : named->second.codec;
  const Codec* codec = FindCodec(codecName);
  if (!codec) {
    error = "velmora-capture writes " + KnownCodecs() + ", not " + codecName;
    return std::nullopt;
  }
  if (!request.encoder.empty() && named->second.codec != codec->name) {
    error = request.encoder + " writes " + named->second.codec + ", not " + codec->name;
    return std::nullopt;
  }
  const std::string encoder = request.encoder.empty() ? codec->encoder : request.encoder;
  if (available.find(encoder) == available.end()) {
    error = "this ffmpeg has no " + encoder + " for " + codec->name + "; name another " + codec->name +
            " encoder with --encoder";
    return std::nullopt;
  }
  const auto& containers = codec->containers;
  if (std::find(containers.begin(), containers.end(), request.container) == containers.end()) {
    std::string fits;
    for (Container container : containers)
      fits += std::string(fits.empty() ? "" : " or ") + ContainerName(container);
    error = std::string("a ") + ContainerName(request.container) + " file cannot hold " + codec->name +
            "; write it to " + fits;
    return std::nullopt;
  }

  const EncoderSettings settings = SettingsOf(encoder);
  if (request.crf && settings.qualityOption.empty()) {
    error = "--crf has no meaning for " + encoder +
            (codec->name == std::string("ffv1")     ? " (it is lossless)"
             : codec->name == std::string("prores") ? " (its quality is that of the 4444 profile)"
                                                    : "");
    return std::nullopt;
  }
  if (request.crf && *request.crf > settings.highestQuality) {
    error = "--crf for " + encoder + " goes from 0 to " + std::to_string(settings.highestQuality);
    return std::nullopt;
  }

  EncodingPlan plan{codec->name, encoder, {}, {"-c:v", encoder}, AudioArguments(request.container)};
  std::vector<std::string>& video = plan.videoArguments;
  video.insert(video.end(), settings.arguments.begin(), settings.arguments.end());
  const std::optional<int> quality = request.crf ? request.crf : settings.defaultQuality;
  if (quality) video.insert(video.end(), {settings.qualityOption, std::to_string(*quality)});
  const std::string matrix = "scale=out_color_matrix=bt709:out_range=tv";
  if (EndsWith(encoder, "_vaapi")) {
    // VAAPI encoders take frames already in the GPU's memory.
    plan.inputArguments = {"-vaapi_device",
                           request.hardwareDevice.empty() ? "/dev/dri/renderD128" : request.hardwareDevice};
    video.insert(video.end(), {"-vf", matrix + ",format=nv12,hwupload"});
  } else if (codec->yuv) {
    video.insert(video.end(), {"-vf", matrix, "-pix_fmt", codec->pixelFormat});
  } else {
    video.insert(video.end(), {"-pix_fmt", codec->pixelFormat});
  }
  if (codec->yuv) {
    video.insert(video.end(), {"-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709"});
  }
  if (codec->name == std::string("hevc") && request.container != Container::Mkv) {
    video.insert(video.end(), {"-tag:v", "hvc1"});  // the tag Apple's players look for
  }
  return plan;
}
