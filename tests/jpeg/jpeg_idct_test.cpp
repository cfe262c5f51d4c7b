// The IDCT paths and the prescaled quantisation tables.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "assets/jpeg/jpeg_idct.h"
#include "tests/jpeg/jpeg_test_support.h"

namespace {

#if defined(__SSE2__)
// Realistic blocks and hostile ones whose products wrap around 16 bits: both paths agree bit for bit.
TEST(JpegIdctTest, Sse2AndScalarAreBitIdentical) {
  std::mt19937 random(5);
  for (int32_t round = 0; round < 20000; round++) {
    int16_t coef[64], quant[64];
    bool hostile = round % 4 == 0;
    for (int32_t i = 0; i < 64; i++) {
      coef[i] = hostile ? int16_t(random()) : int16_t(int32_t(random() % 129) - 64) * (random() % 3 == 0);
      quant[i] = hostile ? int16_t(random()) : int16_t(random() % 400);
    }
    uint8_t scalar[8 * 10], simd[8 * 10];
    std::memset(scalar, 7, sizeof scalar);
    std::memset(simd, 7, sizeof simd);
    JpegIdctScalar(coef, quant, scalar, 10);
    JpegIdctSse2(coef, quant, simd, 10);
    ASSERT_EQ(std::memcmp(scalar, simd, sizeof scalar), 0) << "round " << round;
  }
}

// The shortcut for blocks whose coefficients lie in the top-left 4 x 4 gives the full transform's
// samples, for realistic and wrapping coefficients alike.
TEST(JpegIdctTest, LowFrequencyShortcutMatchesTheFullTransform) {
  std::mt19937 random(7);
  for (int32_t round = 0; round < 20000; round++) {
    int16_t coef[64] = {}, quant[64];
    bool hostile = round % 4 == 0;
    for (int32_t i = 0; i < 64; i++) {
      quant[i] = hostile ? int16_t(random()) : int16_t(random() % 400);
      if (i / 8 < 4 && i % 8 < 4)
        coef[i] = hostile ? int16_t(random()) : int16_t(int32_t(random() % 129) - 64) * (random() % 2 == 0);
    }
    uint8_t scalar[8 * 10], simd[8 * 10];
    std::memset(scalar, 7, sizeof scalar);
    std::memset(simd, 7, sizeof simd);
    JpegIdctScalar(coef, quant, scalar, 10);
    JpegIdctSse2Low(coef, quant, simd, 10);
    ASSERT_EQ(std::memcmp(scalar, simd, sizeof scalar), 0) << "round " << round;
  }
}
#endif

// The DC-only shortcut gives what the full transform gives.
TEST(JpegIdctTest, DcOnlyBlocksMatchTheFullTransform) {
  for (int32_t dc = -2048; dc <= 2047; dc += 7) {
    int16_t coef[64] = {int16_t(dc)}, quant[64];
    for (int16_t& q : quant) q = 3;
    quant[0] = int16_t(4 * (dc & 15) + 1);
    uint8_t out[64];
    JpegIdctScalar(coef, quant, out, 8);
    uint8_t expected = JpegIdctDcSample(coef[0], quant[0]);
    for (uint8_t v : out) ASSERT_EQ(v, expected) << "dc " << dc;
  }
}

// A flat quantisation table of 16 with one coefficient gives back the cosine pattern; a DC of 8 at
// q = 16 adds 16 to the 128 level: (8 * 16) / 8.
TEST(JpegIdctTest, PrescaledTablesThroughTheDecoder) {
  std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
  jpeg.resize(jpeg.size() + 64, 16);
  const uint8_t rest[] = {0xFF, 0xC0, 0, 11, 8, 0, 8, 0, 8, 1, 1, 0x11, 0,
                          // DC table: size 4 has code 0; AC table: EOB has code 0.
                          0xFF, 0xC4, 0, 20, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0xFF,
                          0xC4, 0, 20, 0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xDA, 0,
                          8, 1, 1, 0x00, 0, 63, 0,
                          // DC: code 0, value 1000 (= 8), AC: code 0 (EOB); padded with ones.
                          0x43, 0xFF, 0xD9};
  jpeg.insert(jpeg.end(), std::begin(rest), std::end(rest));
  DecodedPicture out;
  ASSERT_EQ(DecodeWithOurs(jpeg, out), 0);
  for (uint8_t v : out.pixels) EXPECT_EQ(v, 144);
}

}  // namespace
