// The SSE2 colour conversion: the table terms computed eight chroma samples at a time.
//
// Each chroma term is (k * c + 32768) >> 16 for c = sample - 128, with k split into a whole multiple
// of 65536, applied to c directly, and a rest that fits a 16-bit lane:
//   red:   91882 c_r = 65536 c_r + 26346 c_r
//   green: -46802 c_r - 22554 c_b = -65536 c_r + (18734 c_r - 22554 c_b)
//   blue:  116130 c_b = 2 * 65536 c_b - 14942 c_b
// The rests go through pmaddwd on (c_r, c_b) pairs with the rounding added in 32 bits, so the terms
// equal the scalar tables' exactly; packus then saturates like the clamp table.
#include "assets/jpeg/jpeg_color.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

struct Terms {
  __m128i r, g, b;  // eight 16-bit chroma terms each
};

inline __m128i Rest(__m128i low, __m128i high, __m128i factors) {
  const __m128i half = _mm_set1_epi32(32768);
  __m128i a = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(low, factors), half), 16);
  __m128i b = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(high, factors), half), 16);
  return _mm_packs_epi32(a, b);
}

inline Terms ChromaTerms(const uint8_t* cb, const uint8_t* cr) {
  const __m128i zero = _mm_setzero_si128(), offset = _mm_set1_epi16(128);
  __m128i b =
      _mm_sub_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb)), zero), offset);
  __m128i r =
      _mm_sub_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr)), zero), offset);
  __m128i low = _mm_unpacklo_epi16(r, b), high = _mm_unpackhi_epi16(r, b);
  Terms t;
  t.r = _mm_add_epi16(r, Rest(low, high, _mm_set1_epi32(26346)));
  t.g = _mm_sub_epi16(Rest(low, high, _mm_set1_epi32(int32_t(uint32_t(-22554) << 16 | 18734))), r);
  t.b = _mm_add_epi16(_mm_add_epi16(b, b), Rest(low, high, _mm_set1_epi32(int32_t(uint32_t(-14942) << 16))));
  return t;
}

// Eight pixels from eight 16-bit luma samples and their terms, as 16-bit lanes before saturation.
inline void Store8(uint8_t* out, __m128i y, __m128i r, __m128i g, __m128i b) {
  __m128i rs = _mm_packus_epi16(_mm_add_epi16(y, r), _mm_setzero_si128());
  __m128i gs = _mm_packus_epi16(_mm_add_epi16(y, g), _mm_setzero_si128());
  __m128i bs = _mm_packus_epi16(_mm_add_epi16(y, b), _mm_setzero_si128());
  __m128i rg = _mm_unpacklo_epi8(rs, gs), bx = _mm_unpacklo_epi8(bs, _mm_setzero_si128());
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(rg, bx));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi16(rg, bx));
}

// Sixteen pixels, two per chroma sample.
inline void Store16Shared(uint8_t* out, const uint8_t* y, const Terms& t) {
  const __m128i zero = _mm_setzero_si128();
  __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
  Store8(out, _mm_unpacklo_epi8(luma, zero), _mm_unpacklo_epi16(t.r, t.r), _mm_unpacklo_epi16(t.g, t.g),
         _mm_unpacklo_epi16(t.b, t.b));
  Store8(out + 32, _mm_unpackhi_epi8(luma, zero), _mm_unpackhi_epi16(t.r, t.r), _mm_unpackhi_epi16(t.g, t.g),
         _mm_unpackhi_epi16(t.b, t.b));
}

inline void Store8Own(uint8_t* out, const uint8_t* y, const Terms& t) {
  __m128i luma = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y)), _mm_setzero_si128());
  Store8(out, luma, t.r, t.g, t.b);
}

}  // namespace

void JpegYccToRgbxSse2(const uint8_t* y0, const uint8_t* y1, const uint8_t* cb, const uint8_t* cr,
                       int32_t width, bool halfChroma, uint8_t* out0, uint8_t* out1) {
  if (halfChroma) {
    for (int32_t x = 0; x < width; x += 16, cb += 8, cr += 8) {
      Terms t = ChromaTerms(cb, cr);
      Store16Shared(out0 + 4 * x, y0 + x, t);
      if (y1) Store16Shared(out1 + 4 * x, y1 + x, t);
    }
    return;
  }
  for (int32_t x = 0; x < width; x += 8) {
    Terms t = ChromaTerms(cb + x, cr + x);
    Store8Own(out0 + 4 * x, y0 + x, t);
    if (y1) Store8Own(out1 + 4 * x, y1 + x, t);
  }
}
#endif
