// What a video capture is encoded with: the codec, the ffmpeg encoder and its settings, the pixel format, the
// container (from the output's extension) and the sound that goes with it.
//
// h264, hevc and av1 are 4:2:0 with BT.709 tags for players; prores is ProRes 4444 at 10 bits and ffv1 keeps
// the RGB pictures losslessly (planar RGB), for editing and archives. Any encoder that the installed ffmpeg
// offers can stand in for a codec's own (h264_nvenc, hevc_vaapi, ...).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/option_values.h"

enum class Container { Mp4, Mkv, Mov };

struct EncoderInfo {
  std::string codec;  // the ffmpeg codec it writes: h264, hevc, av1, prores, ffv1, ...
};

// The video encoders listed by `ffmpeg -hide_banner -encoders`, by name.
std::map<std::string, EncoderInfo> ParseFfmpegEncoders(const std::string& listing);

// The container of an output file name (.mp4, .mkv, .mov, any case); nothing for other names.
std::optional<Container> ContainerOf(const std::string& output);

// What velmora-capture asks for and what ffmpeg then runs.
struct EncodingRequest {
  std::string codec;    // empty: the encoder's codec, else h264
  std::string encoder;  // empty: the codec's own
  std::optional<int> crf;
  Container container = Container::Mp4;
  std::string hardwareDevice;  // a DRM render node for VAAPI encoders
};

struct EncodingPlan {
  std::string codec, encoder;
  std::vector<std::string> inputArguments;  // before the inputs (hardware devices)
  std::vector<std::string> videoArguments;  // encoder, settings, filters and pixel format
  std::vector<std::string> audioArguments;  // the music's codec for the container
};

// The plan for a request, checked against the encoders the installed ffmpeg offers; on a request that cannot
// be met, nothing and a one-line reason.
std::optional<EncodingPlan> PlanEncoding(const EncodingRequest& request,
                                         const std::map<std::string, EncoderInfo>& available,
                                         std::string& error);

// --codec: the codecs velmora-capture writes, by their ffmpeg names.
const ChoiceRule<std::string_view>& CaptureCodecs();

// "h264, hevc, av1, prores or ffv1".
std::string KnownCodecs();

// For the help: each codec with what it is and the containers that hold it, "h264 (the default,
// .mp4/.mkv/.mov), ...".
std::string CodecNotes();

// For the help: the quality range of each codec's own encoder, "h264 0-51, ...; not for prores, ffv1".
std::string QualityRanges();
