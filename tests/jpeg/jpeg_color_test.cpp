// The colour conversion paths.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "assets/jpeg/jpeg_color.h"

namespace {

#if defined(__SSE2__)
// Every (Y, Cb, Cr) triple, one chroma sample per pixel: both paths agree bit for bit.
TEST(JpegColourTest, Sse2AndScalarAgreeOnEverySample) {
  std::vector<uint8_t> y(256), cb(256), cr(256), scalar(256 * 4), simd(256 * 4);
  for (int32_t i = 0; i < 256; i++) y[i] = uint8_t(i);
  for (int32_t b = 0; b < 256; b++)
    for (int32_t r = 0; r < 256; r++) {
      std::memset(cb.data(), b, 256);
      std::memset(cr.data(), r, 256);
      JpegYccToRgbxScalar(y.data(), nullptr, cb.data(), cr.data(), 256, false, scalar.data(), nullptr);
      JpegYccToRgbxSse2(y.data(), nullptr, cb.data(), cr.data(), 256, false, simd.data(), nullptr);
      ASSERT_EQ(scalar, simd) << "cb " << b << " cr " << r;
    }
}

// Random lines in every sharing (one or two luma samples per chroma sample across, one or two lines),
// at widths that end inside a group: the pixels up to the width agree and the second line uses the
// same chroma.
TEST(JpegColourTest, Sse2AndScalarAgreeOnSharedChromaAndPartialGroups) {
  std::mt19937 random(11);
  for (int32_t width : {1, 2, 7, 8, 9, 15, 16, 17, 31, 33, 100, 257}) {
    for (bool halfChroma : {false, true})
      for (bool pair : {false, true}) {
        int32_t padded = (width + 15) & ~15;
        std::vector<uint8_t> y0(padded), y1(padded), cb(padded), cr(padded);
        for (std::vector<uint8_t>* plane : {&y0, &y1, &cb, &cr})
          for (uint8_t& v : *plane) v = uint8_t(random());
        std::vector<uint8_t> scalar0(padded * 4, 7), scalar1(padded * 4, 7);
        std::vector<uint8_t> simd0(padded * 4, 9), simd1(padded * 4, 9);
        JpegYccToRgbxScalar(y0.data(), pair ? y1.data() : nullptr, cb.data(), cr.data(), width, halfChroma,
                            scalar0.data(), scalar1.data());
        JpegYccToRgbxSse2(y0.data(), pair ? y1.data() : nullptr, cb.data(), cr.data(), width, halfChroma,
                          simd0.data(), simd1.data());
        SCOPED_TRACE(testing::Message() << "width " << width << " half " << halfChroma << " pair " << pair);
        ASSERT_EQ(std::memcmp(scalar0.data(), simd0.data(), width * 4), 0);
        if (pair) {
          ASSERT_EQ(std::memcmp(scalar1.data(), simd1.data(), width * 4), 0);
        }
      }
  }
}
#endif

}  // namespace
