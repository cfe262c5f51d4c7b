// YCbCr to RGBX conversion, one chroma sample serving every luma sample of its MCU region.
#include <cstring>

#include "assets/jpeg/jpeg_state.h"

namespace {

// Saturates -384..639 to 0..255 by lookup.
struct ClampTable {
  uint8_t value[1024];
  constexpr ClampTable() : value() {
    for (int32_t i = 0; i < 1024; i++) value[i] = uint8_t(i < 384 ? 0 : i > 639 ? 255 : i - 384);
  }
};
constexpr ClampTable kClamp;

inline uint32_t Pixel(int32_t y, int32_t r, int32_t g, int32_t b) {
  const uint8_t* clamp = kClamp.value + 384;
  // Little-endian R, G, B; the fourth byte stays 0.
  return uint32_t(clamp[y + r]) | uint32_t(clamp[y + g]) << 8 | uint32_t(clamp[y + b]) << 16;
}

void ConvertLine(const JpegState& s, int32_t lineInRow, uint8_t* out) {
  const JpegComponent& luma = s.comp[0];
  int32_t chromaLine = lineInRow / luma.v;
  const uint8_t* y = luma.plane + lineInRow * luma.planeStride;
  const uint8_t* cb = s.comp[1].plane + chromaLine * s.comp[1].planeStride;
  const uint8_t* cr = s.comp[2].plane + chromaLine * s.comp[2].planeStride;
  uint32_t* pixels = reinterpret_cast<uint32_t*>(out);
  if (luma.h == 1) {
    for (int32_t x = 0; x < s.width; x++) {
      int32_t r = s.crToR[cr[x]], g = (s.crToG[cr[x]] + s.cbToG[cb[x]]) >> 16, b = s.cbToB[cb[x]];
      pixels[x] = Pixel(y[x], r, g, b);
    }
    return;
  }
  int32_t pairs = s.width / 2;
  for (int32_t i = 0; i < pairs; i++) {
    int32_t r = s.crToR[cr[i]], g = (s.crToG[cr[i]] + s.cbToG[cb[i]]) >> 16, b = s.cbToB[cb[i]];
    pixels[2 * i] = Pixel(y[2 * i], r, g, b);
    pixels[2 * i + 1] = Pixel(y[2 * i + 1], r, g, b);
  }
  if (s.width & 1) {
    int32_t i = pairs;
    int32_t r = s.crToR[cr[i]], g = (s.crToG[cr[i]] + s.cbToG[cb[i]]) >> 16, b = s.cbToB[cb[i]];
    pixels[2 * i] = Pixel(y[2 * i], r, g, b);
  }
}

}  // namespace

void JpegSetUpColour(JpegState& s) {
  for (int32_t i = 0; i < 256; i++) {
    int32_t c = i - 128;
    s.crToR[i] = (91882 * c + 32768) >> 16;
    s.crToG[i] = -46802 * c;
    s.cbToG[i] = -22554 * c + 32768;
    s.cbToB[i] = (116130 * c + 32768) >> 16;
  }
}

// Lines of a two-line-high MCU are converted in pairs when the first of the pair is requested.
const uint8_t* JpegOutputLine(JpegState& s, int32_t lineInRow) {
  if (s.layout == JpegLayout::Gray) return s.comp[0].plane + lineInRow * s.comp[0].planeStride;
  if (s.comp[0].v == 1) {
    ConvertLine(s, lineInRow, s.lines[0]);
    return s.lines[0];
  }
  if (lineInRow & 1) return s.lines[1];
  ConvertLine(s, lineInRow, s.lines[0]);
  ConvertLine(s, lineInRow + 1, s.lines[1]);
  return s.lines[0];
}
