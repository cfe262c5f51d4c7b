// Our pixels against libjpeg-turbo's (fast integer IDCT, no fancy upsampling) on files it encoded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <tuple>

#include "tests/jpeg/jpeg_test_support.h"

namespace {

struct Layout {
  const char* name;
  int32_t components, lumaH, lumaV;
  JpegLayout expected;
};
const Layout kLayouts[] = {{"Gray", 1, 1, 1, JpegLayout::Gray},
                           {"H1V1", 3, 1, 1, JpegLayout::H1V1},
                           {"H2V1", 3, 2, 1, JpegLayout::H2V1},
                           {"H1V2", 3, 1, 2, JpegLayout::H1V2},
                           {"H2V2", 3, 2, 2, JpegLayout::H2V2}};

struct Coding {
  const char* name;
  bool progressive;
  int32_t restartInterval, quality;
  bool forceBaseline;
};
const Coding kCodings[] = {
    {"Baseline75", false, 0, 75, true},        {"Baseline95", false, 0, 95, true},
    {"BaselineRestart", false, 3, 85, true},   {"Extended16BitTables", false, 0, 8, false},
    {"Progressive75", true, 0, 75, true},      {"Progressive95", true, 0, 95, true},
    {"ProgressiveRestart", true, 2, 80, true}, {"Progressive16BitTables", true, 0, 8, false}};

struct Size {
  int32_t width, height;
};
const Size kSizes[] = {{1, 1}, {17, 9}, {64, 48}, {1023, 767}};

void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.name; }
void PrintTo(const Coding& coding, std::ostream* out) { *out << coding.name; }
void PrintTo(const Size& size, std::ostream* out) { *out << size.width << "x" << size.height; }

// Compares two decodings: same geometry, every sample within +-2, the fourth byte of RGBX 0.
void ExpectClose(const DecodedPicture& ours, const DecodedPicture& reference) {
  ASSERT_EQ(ours.width, reference.width);
  ASSERT_EQ(ours.height, reference.height);
  ASSERT_EQ(ours.bytesPerPixel, reference.bytesPerPixel);
  ASSERT_EQ(ours.pixels.size(), reference.pixels.size());
  int32_t worst = 0;
  size_t worstAt = 0, unusedSet = 0;
  for (size_t i = 0; i < ours.pixels.size(); i++) {
    if (ours.bytesPerPixel == 4 && i % 4 == 3) {
      unusedSet += ours.pixels[i] != 0;
      continue;
    }
    int32_t d = std::abs(int32_t(ours.pixels[i]) - int32_t(reference.pixels[i]));
    if (d > worst) worst = d, worstAt = i;
  }
  EXPECT_EQ(unusedSet, 0u);
  EXPECT_LE(worst, 2) << "at byte " << worstAt << " (pixel " << worstAt / ours.bytesPerPixel << ")";
}

class OracleTest : public testing::TestWithParam<std::tuple<Layout, Coding, Size>> {};

TEST_P(OracleTest, MatchesLibjpegTurbo) {
  auto [layout, coding, size] = GetParam();
  TestPicture picture =
      MakePicture(size.width, size.height, layout.components, uint32_t(size.width + coding.quality));
  EncodeOptions options;
  options.quality = coding.quality;
  options.lumaH = layout.lumaH;
  options.lumaV = layout.lumaV;
  options.progressive = coding.progressive;
  options.restartInterval = coding.restartInterval;
  options.forceBaseline = coding.forceBaseline;
  std::vector<uint8_t> jpeg = EncodeWithLibjpeg(picture, options);

  DecodedPicture reference, ours;
  ASSERT_TRUE(DecodeWithLibjpeg(jpeg, reference));
  // Small chunks make the input refill cross markers, stuffed bytes and the bit window's fast path.
  MemoryStream stream(jpeg, 997);
  ASSERT_EQ(DecodeWithOurs(stream, ours), 0);
  ExpectClose(ours, reference);
  EXPECT_FALSE(stream.readAfterEnd);
  EXPECT_EQ(stream.attaches, 1);
  EXPECT_EQ(stream.detaches, 1);

  MemoryStream again(jpeg);
  JpegDecoder decoder(again);
  EXPECT_EQ(decoder.progressive(), coding.progressive);
  EXPECT_EQ(decoder.beginDecoding(), 0);
  EXPECT_EQ(decoder.layout(), layout.expected);
}

std::string CaseName(const testing::TestParamInfo<OracleTest::ParamType>& info) {
  auto [layout, coding, size] = info.param;
  return std::string(layout.name) + "_" + coding.name + "_" + std::to_string(size.width) + "x" +
         std::to_string(size.height);
}

INSTANTIATE_TEST_SUITE_P(Layouts, OracleTest,
                         testing::Combine(testing::ValuesIn(kLayouts), testing::ValuesIn(kCodings),
                                          testing::ValuesIn(kSizes)),
                         CaseName);

}  // namespace
