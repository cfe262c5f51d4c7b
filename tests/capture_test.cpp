// The capture tool's rules that need no rendering: which frames a span holds, what a command line means,
// supersampled pictures shrunk to size, and the progress line.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tools/capture/capture_options.h"
#include "tools/capture/codecs.h"
#include "tools/capture/downsample.h"
#include "tools/capture/frame_writer.h"
#include "tools/capture/progress_meter.h"

namespace {

ParsedCapture Parse(std::vector<const char*> arguments) {
  return ParseCaptureOptions(arguments);
}

TEST(CaptureOptionsTest, TheWholeShowByDefaultAndSpansRoundedToFrames) {
  const auto whole = Parse({"show.mp4"});
  ASSERT_EQ(whole.refusal, "");
  EXPECT_TRUE(whole.options.video);
  EXPECT_EQ(whole.options.FirstFrame(), 1);
  EXPECT_EQ(whole.options.LastFrame(), 7104);  // 236.8 s at 30 fps
  EXPECT_EQ(whole.options.SupersampleFactor(), 1);

  // Chunk boundaries written as fractions land exactly on their frames.
  const auto chunk =
      Parse({"--fps", "60", "--from", "7103/60", "--to", "14208/60", "--samples", "ssaa4", "part/"});
  ASSERT_EQ(chunk.refusal, "");
  EXPECT_FALSE(chunk.options.video);
  EXPECT_EQ(chunk.options.FirstFrame(), 7104);
  EXPECT_EQ(chunk.options.FrameCount(), 7105);
  EXPECT_EQ(chunk.options.SupersampleFactor(), 4);

  const auto sevenFps = Parse({"--fps", "7", "out/"});  // 236.8 s is 1657.6 frames at 7 fps
  EXPECT_EQ(sevenFps.options.LastFrame(), 1657);

  const auto nearest = Parse({"--fps", "10", "--from", "1.04", "--to", "1.96", "OUT.MP4"});
  ASSERT_EQ(nearest.refusal, "");
  EXPECT_TRUE(nearest.options.video);
  EXPECT_EQ(nearest.options.FirstFrame(), 11);
  EXPECT_EQ(nearest.options.LastFrame(), 20);
}

// Each refusal is one line naming what is wrong and pointing at --help.
TEST(CaptureOptionsTest, RefusesWhatCannotBeCaptured) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> refused = {
      {{"--fps", "10", "--from", "1.0", "--to", "1.04", "out/"},
       "no frame lies after --from 1 up to --to 1.04 at --fps 10"},
      {{"--fps", "30.5", "out/"}, "--fps takes a whole number from 1 to 240, not '30.5'"},
      {{"--from", "-1", "out/"}, "--from takes seconds from 0 to 236.8, such as 75 or 3553/30, not '-1'"},
      {{"--to", "236.9", "out/"}, "not '236.9'"},
      {{"--to", "1/0", "out/"}, "not '1/0'"},
      {{"--from", "10", "--to", "5", "out/"}, "--from takes seconds before --to (5), not '10'"},
      {{"--size", "640x", "out/"}, "not '640x'"},
      {{"--size", "7680x4321", "out/"}, "--size takes WIDTHxHEIGHT from 1x1 to 7680x4320, such as 1280x720"},
      {{"--crf", "high", "out.mp4"}, "--crf takes a whole number, not 'high'"},
      {{"--crf", "20", "frames/"}, "--crf is for videos, not for the PNGs of 'frames/'"},
      {{"--codec", "ffv1", "frames/"}, "--codec is for videos"},
      {{"--codec", "vp9", "out.mkv"}, "--codec takes h264, hevc, av1, prores or ffv1, not 'vp9'"},
      {{"--samples", "8", "out.mp4"}, "--samples takes 4, ssaa2 or ssaa4, not '8'"},
      {{"--renderer", "batched-es", "out.mp4"}, "--renderer takes auto, batched or compat, not 'batched-es'"},
      {{"--gpu", "first", "out.mp4"}, "--gpu takes auto, list or a device number from 0 to 999, not 'first'"},
      {{"out.avi"}, "the output must be a .mp4, .mkv or .mov file or a directory ending in /, not 'out.avi'"},
      {{"--size", "640x361", "out.mp4"}, "a video's --size takes even WIDTHxHEIGHT from 2x2 to 7680x4320"},
      {{"one.mp4", "two.mp4"}, "more than one output given ('one.mp4', 'two.mp4')"},
      {{"--fps", "10"}, "no output given"},
      {{"out.mp4", "--fps"}, "--fps needs a value"},
      {{"--speed", "2", "out.mp4"}, "unknown option --speed"},
      {{""}, "the output must be a .mp4, .mkv or .mov file or a directory ending in /, not ''"},
  };
  for (const auto& [arguments, reason] : refused) {
    const auto parsed = Parse(arguments);
    EXPECT_EQ(parsed.action, CommandLineAction::Refuse) << reason;
    EXPECT_EQ(parsed.refusal.rfind("velmora-capture: ", 0), 0u) << parsed.refusal;
    EXPECT_NE(parsed.refusal.find(reason), std::string::npos) << parsed.refusal;
    EXPECT_TRUE(parsed.refusal.ends_with(" (see velmora-capture --help)")) << parsed.refusal;
  }
  EXPECT_EQ(Parse({"--size", "7680x4320", "--size", "161x91", "frames/"}).refusal,
            "");  // odd is fine for PNGs
  const auto listing = Parse({"--gpu", "list"});
  EXPECT_EQ(listing.refusal, "");
  EXPECT_TRUE(listing.options.gpu.list);
  const auto device = Parse({"--gpu=1", "--codec", "prores", "a.MOV", "--encoder", "prores_ks"});
  ASSERT_EQ(device.refusal, "");
  EXPECT_EQ(device.options.gpu.device, 1);
  EXPECT_EQ(device.options.container, Container::Mov);
  EXPECT_EQ(Parse({"--help", "out.avi"}).action, CommandLineAction::PrintHelp);  // no output needed for help
  const std::string tooLong(300, 'a');  // longer than the system allows a name to be
  EXPECT_NE(Parse({tooLong.c_str()}).refusal.find("the output must be"), std::string::npos);
  EXPECT_EQ(PrepareOutput(tooLong + ".mp4", true).rfind("cannot write ", 0), 0u);
}

// An excerpt of `ffmpeg -hide_banner -encoders`: audio and subtitle encoders are not video encoders, and
// an encoder without "(codec ...)" writes the codec of its own name.
constexpr const char* kEncoders = R"(Encoders:
 V..... = Video
 A..... = Audio
 ------
 V....D libx264              libx264 H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10 (codec h264)
 V....D h264_nvenc           NVIDIA NVENC H.264 encoder (codec h264)
 V....D libx265              libx265 H.265 / HEVC (codec hevc)
 V....D hevc_vaapi           H.265/HEVC (VAAPI) (codec hevc)
 V..... libsvtav1            SVT-AV1(Scalable Video Technology for AV1) encoder (codec av1)
 VFS... prores_ks            Apple ProRes (iCodec Pro) (codec prores)
 V.S... ffv1                 FFmpeg video codec #1
 A....D aac                  AAC (Advanced Audio Coding)
)";

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

TEST(CodecsTest, FfmpegsEncoderListIsReadByName) {
  const auto encoders = ParseFfmpegEncoders(kEncoders);
  EXPECT_EQ(encoders.size(), 7u);
  EXPECT_EQ(encoders.at("h264_nvenc").codec, "h264");
  EXPECT_EQ(encoders.at("ffv1").codec, "ffv1");
  EXPECT_EQ(encoders.count("aac"), 0u);
  EXPECT_EQ(ContainerOf("a/b.MKV"), Container::Mkv);
  EXPECT_EQ(KnownCodecs(), CaptureCodecs().Takes());  // --codec takes exactly the codecs planned here
  EXPECT_EQ(CaptureCodecs().Read("prores"), "prores");
  EXPECT_FALSE(CaptureCodecs().Read("vp9"));
  EXPECT_FALSE(ContainerOf("b.mp4.png").has_value());
}

// Each codec's own encoder with its settings; lossless and ProRes keep their chroma, YUV is tagged BT.709.
TEST(CodecsTest, EachCodecIsPlannedWithItsOwnEncoderAndPixels) {
  const auto encoders = ParseFfmpegEncoders(kEncoders);
  std::string error;
  const auto plan = [&](EncodingRequest request) {
    const auto planned = PlanEncoding(request, encoders, error);
    EXPECT_TRUE(planned.has_value()) << error;
    return planned ? Joined(planned->videoArguments) + " | " + Joined(planned->audioArguments) : "";
  };
  EXPECT_EQ(
      plan({"", "", {}, Container::Mp4}),
      "-c:v libx264 -preset veryfast -crf 16 -vf scale=out_color_matrix=bt709:out_range=tv -pix_fmt yuv420p "
      "-colorspace bt709 -color_primaries bt709 -color_trc bt709 | -c:a aac -b:a 192k");
  EXPECT_NE(plan({"hevc", "", 22, Container::Mp4}).find("-crf 22 "), std::string::npos);
  EXPECT_NE(plan({"hevc", "", {}, Container::Mov}).find("-tag:v hvc1"), std::string::npos);
  EXPECT_EQ(plan({"hevc", "", {}, Container::Mkv}).find("hvc1"), std::string::npos);
  EXPECT_NE(plan({"prores", "", {}, Container::Mov}).find("-profile:v 4 -vendor apl0 -vf "),
            std::string::npos);
  EXPECT_NE(plan({"prores", "", {}, Container::Mov}).find("-pix_fmt yuv444p10le"), std::string::npos);
  EXPECT_EQ(plan({"ffv1", "", {}, Container::Mkv}),
            "-c:v ffv1 -level 3 -g 1 -slicecrc 1 -pix_fmt gbrp | -c:a flac");
  EXPECT_NE(plan({"", "h264_nvenc", 23, Container::Mp4}).find("-c:v h264_nvenc -preset p5 -cq 23"),
            std::string::npos);
  const auto vaapi =
      PlanEncoding({"hevc", "hevc_vaapi", {}, Container::Mkv, "/dev/dri/renderD129"}, encoders, error);
  ASSERT_TRUE(vaapi.has_value());
  EXPECT_EQ(Joined(vaapi->inputArguments), "-vaapi_device /dev/dri/renderD129");
  EXPECT_NE(Joined(vaapi->videoArguments).find(",format=nv12,hwupload"), std::string::npos);
}

TEST(CodecsTest, WhatCannotBeEncodedIsRefusedBeforeRendering) {
  const auto encoders = ParseFfmpegEncoders(kEncoders);
  const std::vector<std::pair<EncodingRequest, std::string>> refused = {
      {{"prores", "", {}, Container::Mp4}, "cannot hold prores"},
      {{"ffv1", "", {}, Container::Mov}, "cannot hold ffv1"},
      {{"av1", "", {}, Container::Mov}, "cannot hold av1"},
      {{"prores", "", 10, Container::Mov}, "no meaning for prores_ks"},
      {{"ffv1", "", 0, Container::Mkv}, "lossless"},
      {{"", "h264_qsv", {}, Container::Mp4}, "no video encoder h264_qsv"},
      {{"hevc", "libx264", {}, Container::Mp4}, "libx264 writes h264, not hevc"},
      {{"vp9", "", {}, Container::Mkv}, "not vp9"},
      {{"h264", "", 52, Container::Mp4}, "from 0 to 51"},
  };
  for (const auto& [request, reason] : refused) {
    std::string error;
    EXPECT_FALSE(PlanEncoding(request, encoders, error).has_value()) << reason;
    EXPECT_NE(error.find(reason), std::string::npos) << error;
  }
  std::string error;  // the codec's own encoder missing from this ffmpeg
  EXPECT_FALSE(PlanEncoding({"h264", "", {}, Container::Mp4}, {{"ffv1", {"ffv1"}}}, error).has_value());
  EXPECT_NE(error.find("no libx264"), std::string::npos) << error;
}

TEST(DownsampleTest, EachPixelIsTheRoundedMeanOfItsBlock) {
  // 4 x 2 pixels to 2 x 1: block means (0 + 1 + 2 + 3) / 4 -> 2 (1.5 rounded up) and 255 in red; a ramp in
  // green and blue.
  const std::vector<uint8_t> picture = {
      0, 10, 0, 1, 20, 255, 255, 0, 1, 255, 0, 1,  //
      2, 30, 0, 3, 40, 255, 255, 0, 1, 255, 0, 2,  //
  };
  std::vector<uint8_t> out;
  BoxDownsample(picture, 4, 2, 2, out);
  EXPECT_EQ(out, (std::vector<uint8_t>{2, 25, 128, 255, 0, 1}));

  std::vector<uint8_t> flat(8 * 4 * 3, 77);
  BoxDownsample(flat, 8, 4, 4, out);
  EXPECT_EQ(out, std::vector<uint8_t>(2 * 3, 77));
}

TEST(ProgressTest, ShowsFramesRateAndTimeLeft) {
  EXPECT_EQ(ProgressText(25, 100, 10.0, false), "frame 25 of 100 25.0%  2.5 fps  0:30 left");
  EXPECT_EQ(ProgressText(1, 7105, 2.0, true),
            "frame 1 of 7105 [                              ] 0.0%  0.5 fps  3:56:48 left");
  EXPECT_EQ(ProgressText(0, 10, 0.0, true), "frame 0 of 10 [                              ] 0.0%");
  EXPECT_EQ(ProgressText(10, 10, 4.0, true),
            "frame 10 of 10 [##############################] 100.0%  2.5 fps  0:00 left");
}

}  // namespace
