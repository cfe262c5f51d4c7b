// The capture tool's rules that need no rendering: which frames a span holds, what a command line means,
// supersampled pictures shrunk to size, and the progress line.
#include <gtest/gtest.h>

#include <vector>

#include "tools/capture/capture_options.h"
#include "tools/capture/downsample.h"
#include "tools/capture/progress_meter.h"

namespace {

ParsedCapture Parse(std::vector<const char*> arguments) {
  return ParseCaptureOptions(arguments);
}

TEST(CaptureOptionsTest, TheWholeShowByDefaultAndSpansRoundedToFrames) {
  const auto whole = Parse({"show.mp4"});
  ASSERT_EQ(whole.error, "");
  EXPECT_TRUE(whole.options.video);
  EXPECT_EQ(whole.options.FirstFrame(), 1);
  EXPECT_EQ(whole.options.LastFrame(), 7104);  // 236.8 s at 30 fps
  EXPECT_EQ(whole.options.SupersampleFactor(), 1);

  // Chunk boundaries written as fractions land exactly on their frames.
  const auto chunk =
      Parse({"--fps", "60", "--from", "7103/60", "--to", "14208/60", "--samples", "ssaa4", "part/"});
  ASSERT_EQ(chunk.error, "");
  EXPECT_FALSE(chunk.options.video);
  EXPECT_EQ(chunk.options.FirstFrame(), 7104);
  EXPECT_EQ(chunk.options.FrameCount(), 7105);
  EXPECT_EQ(chunk.options.SupersampleFactor(), 4);

  const auto sevenFps = Parse({"--fps", "7", "out/"});  // 236.8 s is 1657.6 frames at 7 fps
  EXPECT_EQ(sevenFps.options.LastFrame(), 1657);

  const auto nearest = Parse({"--fps", "10", "--from", "1.04", "--to", "1.96", "OUT.MP4"});
  ASSERT_EQ(nearest.error, "");
  EXPECT_TRUE(nearest.options.video);
  EXPECT_EQ(nearest.options.FirstFrame(), 11);
  EXPECT_EQ(nearest.options.LastFrame(), 20);
}

TEST(CaptureOptionsTest, RefusesWhatCannotBeCaptured) {
  const std::vector<std::vector<const char*>> refused = {
      {"--fps", "10", "--from", "1.0", "--to", "1.04", "out/"},  // no frame in the span
      {"--fps", "30.5", "out/"},
      {"--from", "-1", "out/"},
      {"--to", "236.9", "out/"},
      {"--to", "1/0", "out/"},
      {"--size", "640x", "out/"},
      {"--size", "7680x4321", "out/"},
      {"--crf", "52", "out.mp4"},
      {"--size", "640x361", "out.mp4"},
      {"one.mp4", "two.mp4"},
      {"out.mp4", "--fps"},
  };
  for (const auto& arguments : refused) {
    const auto parsed = Parse(arguments);
    EXPECT_NE(parsed.error, "") << arguments[0] << " " << arguments[1];
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
  }
  EXPECT_EQ(Parse({"--size", "7680x4320", "--size", "161x91", "frames/"}).error, "");  // odd is fine for PNGs
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
