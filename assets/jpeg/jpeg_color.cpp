// YCbCr to RGBX conversion: the table-driven scalar path, the line pairing of two-line-high MCUs.
#include "assets/jpeg/jpeg_color.h"

#include "assets/jpeg/jpeg_state.h"

namespace {

struct ColourTables {
  int32_t crToR[256], crToG[256], cbToG[256], cbToB[256];
  uint8_t clamp[1024];  // saturates -384..639 to 0..255
  constexpr ColourTables() : crToR(), crToG(), cbToG(), cbToB(), clamp() {
    for (int32_t i = 0; i < 256; i++) {
      int32_t c = i - 128;
      crToR[i] = (91882 * c + 32768) >> 16;
      crToG[i] = -46802 * c;
      cbToG[i] = -22554 * c + 32768;
      cbToB[i] = (116130 * c + 32768) >> 16;
    }
    for (int32_t i = 0; i < 1024; i++) clamp[i] = uint8_t(i < 384 ? 0 : i > 639 ? 255 : i - 384);
  }
};
constexpr ColourTables kColour;

inline uint32_t Pixel(int32_t y, int32_t r, int32_t g, int32_t b) {
  const uint8_t* clamp = kColour.clamp + 384;
  // Little-endian R, G, B; the fourth byte stays 0.
  return uint32_t(clamp[y + r]) | uint32_t(clamp[y + g]) << 8 | uint32_t(clamp[y + b]) << 16;
}

void ConvertLine(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int32_t width, bool halfChroma,
                 uint8_t* out) {
  const ColourTables& t = kColour;
  uint32_t* pixels = reinterpret_cast<uint32_t*>(out);
  if (!halfChroma) {
    for (int32_t x = 0; x < width; x++) {
      int32_t r = t.crToR[cr[x]], g = (t.crToG[cr[x]] + t.cbToG[cb[x]]) >> 16, b = t.cbToB[cb[x]];
      pixels[x] = Pixel(y[x], r, g, b);
    }
    return;
  }
  int32_t pairs = width / 2;
  for (int32_t i = 0; i < pairs; i++) {
    int32_t r = t.crToR[cr[i]], g = (t.crToG[cr[i]] + t.cbToG[cb[i]]) >> 16, b = t.cbToB[cb[i]];
    pixels[2 * i] = Pixel(y[2 * i], r, g, b);
    pixels[2 * i + 1] = Pixel(y[2 * i + 1], r, g, b);
  }
  if (width & 1) {
    int32_t i = pairs;
    int32_t r = t.crToR[cr[i]], g = (t.crToG[cr[i]] + t.cbToG[cb[i]]) >> 16, b = t.cbToB[cb[i]];
    pixels[2 * i] = Pixel(y[2 * i], r, g, b);
  }
}

}  // namespace

void JpegYccToRgbxScalar(const uint8_t* y0, const uint8_t* y1, const uint8_t* cb, const uint8_t* cr,
                         int32_t width, bool halfChroma, uint8_t* out0, uint8_t* out1) {
  ConvertLine(y0, cb, cr, width, halfChroma, out0);
  if (y1) ConvertLine(y1, cb, cr, width, halfChroma, out1);
}

// Lines of a two-line-high MCU are converted in pairs when the first of the pair is requested.
const uint8_t* JpegOutputLine(JpegState& s, int32_t lineInRow) {
  const JpegComponent& luma = s.comp[0];
  if (s.layout == JpegLayout::Gray) return luma.plane + lineInRow * luma.planeStride;
  if (luma.v == 2 && (lineInRow & 1)) return s.lines[1];
  int32_t chromaLine = lineInRow / luma.v;
  const uint8_t* y0 = luma.plane + lineInRow * luma.planeStride;
  const uint8_t* y1 = luma.v == 2 ? y0 + luma.planeStride : nullptr;
  const uint8_t* cb = s.comp[1].plane + chromaLine * s.comp[1].planeStride;
  const uint8_t* cr = s.comp[2].plane + chromaLine * s.comp[2].planeStride;
  JpegYccToRgbx(y0, y1, cb, cr, s.width, luma.h == 2, s.lines[0], s.lines[1]);
  return s.lines[0];
}
