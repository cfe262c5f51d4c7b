// The values the programs' options take: numbers as written on command lines, and each quantity's limits
// at their edges.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/number_text.h"
#include "cli/option_values.h"

namespace {

TEST(CliNumbers, FractionsAreExactAndNothingButNumbersIsTaken) {
  EXPECT_EQ(ParseFraction("3553/30"), 3553.0 / 30.0);
  EXPECT_EQ(ParseFraction("-1/-2"), 0.5);
  EXPECT_EQ(ParseFraction("60.016666666666666666"), 60.016666666666666666);  // as `bc -l` writes
  EXPECT_EQ(ParseFraction("2.5e1"), 25.0);
  const std::vector<const char*> refused = {
      "",      "1/0",          "0/0",  "5/-0", "1/1e-999",  // zero denominators, written or rounded to
      "1e999", "1e300/1e-300",                              // too large to hold
      "inf",   "nan",          "0x10", " 5",   "5 ",       "1/2/3", "/2", "2/", "1,5", "seconds",
  };
  for (const char* text : refused) EXPECT_FALSE(ParseFraction(text).has_value()) << "'" << text << "'";
}

TEST(CliNumbers, WholeNumbersAndSizesAreDigitsWithinAMillion) {
  EXPECT_EQ(ParseWholeNumber("0"), 0);
  EXPECT_EQ(ParseWholeNumber("0000012"), 12);
  EXPECT_EQ(ParseWholeNumber("1000000"), kLargestWholeNumber);
  for (const char* text : {"1000001", "99999999999999999999", "-1", "+1", "1.0", "", "1e3"}) {
    EXPECT_FALSE(ParseWholeNumber(text).has_value()) << text;
  }
  EXPECT_EQ(ParsePictureSize("1280x720"), (PictureSize{1280, 720}));
  for (const char* text : {"1280x", "x720", "1280x720x2", "-5x10", "1280X720", "1280 x 720", "big"}) {
    EXPECT_FALSE(ParsePictureSize(text).has_value()) << text;
  }
  EXPECT_EQ(FormatNumber(kShowEnd), "236.8");
}

TEST(CliRules, PictureSizesStopAtEachProgramsLimit) {
  EXPECT_EQ(kShowSizes.Read("7680x7680"), (PictureSize{7680, 7680}));
  EXPECT_EQ(kShowSizes.Read("1x1"), (PictureSize{1, 1}));
  for (const char* text : {"7681x720", "720x7681", "0x720", "720x0"})
    EXPECT_FALSE(kShowSizes.Read(text)) << text;
  EXPECT_TRUE(kCaptureSizes.Read("7680x4320"));
  EXPECT_TRUE(kCaptureSizes.Read("161x91"));
  EXPECT_FALSE(kCaptureSizes.Read("7680x4321"));
  EXPECT_FALSE(kCaptureSizes.Read("4320x7680"));
  EXPECT_TRUE(kVideoSizes.Allows({160, 90}));
  EXPECT_FALSE(kVideoSizes.Allows({161, 90}));
  EXPECT_FALSE(kVideoSizes.Allows({160, 91}));
  EXPECT_EQ(kShowSizes.Takes(), "WIDTHxHEIGHT from 1x1 to 7680x7680, such as 1280x720");
  EXPECT_EQ(kVideoSizes.Takes(), "even WIDTHxHEIGHT from 2x2 to 7680x4320, such as 1280x720");
}

// The live show starts before the show's end; an instant drawn or a span captured may end on it.
TEST(CliRules, SecondsHaveTheirEndsIncludedOrNot) {
  EXPECT_EQ(kShowStarts.Read("0"), 0.0);
  EXPECT_TRUE(kShowStarts.Read("236.79"));
  EXPECT_FALSE(kShowStarts.Read("236.8"));
  EXPECT_FALSE(kShowStarts.Read("-0.5"));
  EXPECT_EQ(kShowInstants.Read("7104/30"), kShowEnd);
  EXPECT_FALSE(kShowInstants.Read("236.81"));
  EXPECT_FALSE(kFrameSteps.Read("0"));
  EXPECT_EQ(kFrameSteps.Read("1"), 1.0);
  EXPECT_EQ(kFrameSteps.Read("1/60"), 1.0 / 60.0);
  EXPECT_FALSE(kFrameSteps.Read("1.01"));
  EXPECT_EQ(kShowStarts.Takes(), "seconds from 0 to just before 236.8, such as 200 or 3553/30");
  EXPECT_EQ(kFrameSteps.Range(), "above 0 to 1");
}

TEST(CliRules, WholeNumbersGpusAndNames) {
  EXPECT_EQ(kFrameRates.Read("1"), 1);
  EXPECT_EQ(kFrameRates.Read("240"), 240);
  for (const char* text : {"0", "241", "30.5", "thirty"}) EXPECT_FALSE(kFrameRates.Read(text)) << text;
  EXPECT_EQ(kFrameRates.Takes(), "a whole number from 1 to 240");
  EXPECT_EQ(kEncoderQualities.Read("0"), 0);
  EXPECT_EQ(kEncoderQualities.Takes(), "a whole number");

  const auto automatic = kGpus.Read("auto");
  ASSERT_TRUE(automatic);
  EXPECT_FALSE(automatic->list || automatic->device);
  EXPECT_TRUE(kGpus.Read("list")->list);
  EXPECT_EQ(kGpus.Read("0")->device, 0);
  EXPECT_EQ(kGpus.Read("999")->device, 999);
  for (const char* text : {"1000", "-1", "first", ""}) EXPECT_FALSE(kGpus.Read(text)) << text;

  EXPECT_EQ(AllRenderers().Read("batched-webgl"), RendererChoice::BatchedWebGl);
  EXPECT_EQ(AllRenderers().Read("compat"), RendererChoice::Compatibility);
  EXPECT_FALSE(AllRenderers().Read("Compat"));
  EXPECT_EQ(CaptureRenderers().Read("batched"), RendererChoice::Batched);
  EXPECT_FALSE(CaptureRenderers().Read("batched-es"));
  EXPECT_EQ(AllRenderers().Takes(), "auto, batched, batched-es, batched-webgl or compat");
  EXPECT_EQ(CaptureRenderers().Alternatives(), "auto|batched|compat");
}

}  // namespace
