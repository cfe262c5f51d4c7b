// The SSE2 IDCT: eight columns (then, after a transpose, eight rows) per instruction.
#include "assets/jpeg/jpeg_idct.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

inline __m128i MulHigh(__m128i a, int16_t c) {
  return _mm_mulhi_epi16(a, _mm_set1_epi16(c));
}
inline __m128i Mul1414(__m128i a) {
  return _mm_add_epi16(a, MulHigh(a, 27136));
}
inline __m128i Mul1848(__m128i a) {
  return _mm_add_epi16(_mm_add_epi16(a, a), MulHigh(a, -9984));
}
inline __m128i Mul1082(__m128i a) {
  return _mm_add_epi16(a, MulHigh(a, 5376));
}
inline __m128i MulMinus2613(__m128i a) {
  __m128i three = _mm_add_epi16(_mm_add_epi16(a, a), a);
  return _mm_sub_epi16(MulHigh(a, 25344), three);
}

inline __attribute__((always_inline)) void Idct1d(__m128i* x) {
  __m128i t10 = _mm_add_epi16(x[0], x[4]), t11 = _mm_sub_epi16(x[0], x[4]);
  __m128i t13 = _mm_add_epi16(x[2], x[6]);
  __m128i t12 = _mm_sub_epi16(Mul1414(_mm_sub_epi16(x[2], x[6])), t13);
  __m128i e0 = _mm_add_epi16(t10, t13), e3 = _mm_sub_epi16(t10, t13);
  __m128i e1 = _mm_add_epi16(t11, t12), e2 = _mm_sub_epi16(t11, t12);

  __m128i z13 = _mm_add_epi16(x[5], x[3]), z10 = _mm_sub_epi16(x[5], x[3]);
  __m128i z11 = _mm_add_epi16(x[1], x[7]), z12 = _mm_sub_epi16(x[1], x[7]);
  __m128i o7 = _mm_add_epi16(z11, z13);
  __m128i o11 = Mul1414(_mm_sub_epi16(z11, z13));
  __m128i z5 = Mul1848(_mm_add_epi16(z10, z12));
  __m128i o10 = _mm_sub_epi16(Mul1082(z12), z5);
  __m128i o12 = _mm_add_epi16(MulMinus2613(z10), z5);
  __m128i o6 = _mm_sub_epi16(o12, o7), o5 = _mm_sub_epi16(o11, o6), o4 = _mm_add_epi16(o10, o5);

  x[0] = _mm_add_epi16(e0, o7), x[7] = _mm_sub_epi16(e0, o7);
  x[1] = _mm_add_epi16(e1, o6), x[6] = _mm_sub_epi16(e1, o6);
  x[2] = _mm_add_epi16(e2, o5), x[5] = _mm_sub_epi16(e2, o5);
  x[4] = _mm_add_epi16(e3, o4), x[3] = _mm_sub_epi16(e3, o4);
}

inline __attribute__((always_inline)) void Transpose(__m128i* x) {
  __m128i a0 = _mm_unpacklo_epi16(x[0], x[1]), a1 = _mm_unpackhi_epi16(x[0], x[1]);
  __m128i a2 = _mm_unpacklo_epi16(x[2], x[3]), a3 = _mm_unpackhi_epi16(x[2], x[3]);
  __m128i a4 = _mm_unpacklo_epi16(x[4], x[5]), a5 = _mm_unpackhi_epi16(x[4], x[5]);
  __m128i a6 = _mm_unpacklo_epi16(x[6], x[7]), a7 = _mm_unpackhi_epi16(x[6], x[7]);
  __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
  __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
  __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
  __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
  x[0] = _mm_unpacklo_epi64(b0, b4), x[1] = _mm_unpackhi_epi64(b0, b4);
  x[2] = _mm_unpacklo_epi64(b1, b5), x[3] = _mm_unpackhi_epi64(b1, b5);
  x[4] = _mm_unpacklo_epi64(b2, b6), x[5] = _mm_unpackhi_epi64(b2, b6);
  x[6] = _mm_unpacklo_epi64(b3, b7), x[7] = _mm_unpackhi_epi64(b3, b7);
}

// With low set, only the top-left 4 x 4 coefficients may be non-zero: the first pass then leaves
// columns 4..7 zero, so after the transpose rows 4..7 are known zeros too, and the compiler drops
// every operation on them. The operations left are the same, so are the samples.
template <bool low>
inline __attribute__((always_inline)) void Transform(const int16_t* coef, const int16_t* quant, uint8_t* out,
                                                     int32_t stride) {
  constexpr int32_t rows = low ? 4 : 8;
  __m128i x[8];
#pragma GCC unroll 8
  for (int32_t i = 0; i < rows; i++) {
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coef + 8 * i));
    __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * i));
    x[i] = _mm_mullo_epi16(c, q);
  }
  for (int32_t i = rows; i < 8; i++) x[i] = _mm_setzero_si128();
  Idct1d(x);
  Transpose(x);
  for (int32_t i = rows; i < 8; i++) x[i] = _mm_setzero_si128();
  Idct1d(x);
  Transpose(x);
  const __m128i center = _mm_set1_epi16(128);
#pragma GCC unroll 4
  for (int32_t i = 0; i < 8; i += 2) {
    __m128i a = _mm_add_epi16(_mm_srai_epi16(x[i], 5), center);
    __m128i b = _mm_add_epi16(_mm_srai_epi16(x[i + 1], 5), center);
    __m128i packed = _mm_packus_epi16(a, b);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i * stride), packed);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (i + 1) * stride), _mm_srli_si128(packed, 8));
  }
}

}  // namespace

void JpegIdctSse2(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride) {
  Transform<false>(coef, quant, out, stride);
}

void JpegIdctSse2Low(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride) {
  Transform<true>(coef, quant, out, stride);
}
#endif
