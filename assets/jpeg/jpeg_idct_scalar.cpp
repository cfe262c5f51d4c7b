// The portable IDCT: every step wraps to 16 bits exactly like the SIMD lanes do.
#include "assets/jpeg/jpeg_idct.h"

namespace {

inline int16_t Wrap(int32_t v) {
  return int16_t(v);
}
inline int16_t MulHigh(int16_t a, int16_t c) {
  return int16_t((int32_t(a) * c) >> 16);
}

// Products by 1.414213562, 1.847759065, 1.082392200 and -2.613125930 with the constants rounded to
// 1/256 (362, 473, 277 and 669 / 256, the usual fast-IDCT precision, which keeps our samples equal to
// other decoders' fast mode): a small integer multiple plus the high half of a product by the
// fractional rest times 65536.
inline int16_t Mul1414(int16_t a) {
  return Wrap(a + MulHigh(a, 27136));
}
inline int16_t Mul1848(int16_t a) {
  return Wrap(2 * a + MulHigh(a, -9984));
}
inline int16_t Mul1082(int16_t a) {
  return Wrap(a + MulHigh(a, 5376));
}
inline int16_t MulMinus2613(int16_t a) {
  return Wrap(-3 * a + MulHigh(a, 25344));
}

// One 8-point pass over x[0], x[step], ... x[7 * step], in place.
void Idct1d(int16_t* x, int32_t step) {
  int16_t x0 = x[0], x1 = x[step], x2 = x[2 * step], x3 = x[3 * step];
  int16_t x4 = x[4 * step], x5 = x[5 * step], x6 = x[6 * step], x7 = x[7 * step];

  int16_t t10 = Wrap(x0 + x4), t11 = Wrap(x0 - x4), t13 = Wrap(x2 + x6);
  int16_t t12 = Wrap(Mul1414(Wrap(x2 - x6)) - t13);
  int16_t e0 = Wrap(t10 + t13), e3 = Wrap(t10 - t13), e1 = Wrap(t11 + t12), e2 = Wrap(t11 - t12);

  int16_t z13 = Wrap(x5 + x3), z10 = Wrap(x5 - x3), z11 = Wrap(x1 + x7), z12 = Wrap(x1 - x7);
  int16_t o7 = Wrap(z11 + z13);
  int16_t o11 = Mul1414(Wrap(z11 - z13));
  int16_t z5 = Mul1848(Wrap(z10 + z12));
  int16_t o10 = Wrap(Mul1082(z12) - z5);
  int16_t o12 = Wrap(MulMinus2613(z10) + z5);
  int16_t o6 = Wrap(o12 - o7), o5 = Wrap(o11 - o6), o4 = Wrap(o10 + o5);

  x[0] = Wrap(e0 + o7), x[7 * step] = Wrap(e0 - o7);
  x[step] = Wrap(e1 + o6), x[6 * step] = Wrap(e1 - o6);
  x[2 * step] = Wrap(e2 + o5), x[5 * step] = Wrap(e2 - o5);
  x[4 * step] = Wrap(e3 + o4), x[3 * step] = Wrap(e3 - o4);
}

}  // namespace

void JpegIdctScalar(const int16_t* coef, const int16_t* quant, uint8_t* out, int32_t stride) {
  int16_t work[64];
  for (int32_t i = 0; i < 64; i++) work[i] = Wrap(coef[i] * quant[i]);
  for (int32_t column = 0; column < 8; column++) Idct1d(work + column, 8);
  for (int32_t row = 0; row < 8; row++) {
    int16_t* r = work + 8 * row;
    Idct1d(r, 1);
    for (int32_t i = 0; i < 8; i++) {
      int32_t v = (r[i] >> 5) + 128;
      out[row * stride + i] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
}
