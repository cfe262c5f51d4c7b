// The 8x8 inverse DCT: the AAN factorisation in 16-bit fixed point with wrap-around arithmetic, the
// dequantisation and the factorisation's scaling carried by the prescaled quantisation tables.
//
// Both paths run the same sequence of 16-bit operations (products by constants take the high half of
// a 16 x 16-bit product), so they give bit-identical samples. The build picks one: SSE2 where the
// compiler targets it, the scalar one elsewhere or when VELMORA_JPEG_SCALAR_IDCT is defined.
#pragma once

#include <cstdint>

// Transforms 64 coefficients (natural order) with a prescaled table into 8 rows of 8 samples.
void JpegIdctScalar(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride);
#if defined(__SSE2__)
void JpegIdctSse2(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride);
// The same for a block whose coefficients outside the top-left 4 x 4 are zero, in less work.
void JpegIdctSse2Low(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride);
#endif

// Blocks whose last non-zero coefficient has at most this zig-zag index lie in the top-left 4 x 4.
constexpr int32_t kJpegIdctLowLast = 9;

// A block holding only its DC coefficient: every sample is the same.
inline uint8_t JpegIdctDcSample(int16_t dc, int16_t quant) {
  int32_t value = (int16_t(dc * quant) >> 5) + 128;
  return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

inline void JpegIdct(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride) {
#if defined(__SSE2__) && !defined(VELMORA_JPEG_SCALAR_IDCT)
  JpegIdctSse2(coef, quant, out, stride);
#else
  JpegIdctScalar(coef, quant, out, stride);
#endif
}

// Transforms a block whose coefficients outside the top-left 4 x 4 are zero.
inline void JpegIdctLow(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride) {
#if defined(__SSE2__) && !defined(VELMORA_JPEG_SCALAR_IDCT)
  JpegIdctSse2Low(coef, quant, out, stride);
#else
  JpegIdctScalar(coef, quant, out, stride);
#endif
}
