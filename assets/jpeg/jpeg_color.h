// YCbCr to RGBX conversion of the decoded planes, one chroma sample serving every luma sample of its
// MCU region (no interpolation).
//
// Both paths compute the same integer terms, so they give bit-identical pixels. The build picks one:
// SSE2 where the compiler targets it, the scalar one elsewhere or when VELMORA_JPEG_SCALAR_COLOUR is
// defined.
#pragma once

#include <cstdint>

// Converts a line (and, when y1 is not null, a second one into out1 with the same chroma line) of
// width pixels. With halfChroma each chroma sample serves two luma samples across, else one. Pixels
// are little-endian R, G, B, 0.
//
// The SSE2 path works in whole groups of 8 pixels (16 with halfChroma): it reads luma and chroma and
// writes pixels up to the width rounded up to a group, which the planes and line buffers allow.
void JpegYccToRgbxScalar(const uint8_t* y0, const uint8_t* y1, const uint8_t* cb, const uint8_t* cr,
                         int32_t width, bool halfChroma, uint8_t* out0, uint8_t* out1);
#if defined(__SSE2__)
void JpegYccToRgbxSse2(const uint8_t* y0, const uint8_t* y1, const uint8_t* cb, const uint8_t* cr,
                       int32_t width, bool halfChroma, uint8_t* out0, uint8_t* out1);
#endif

inline void JpegYccToRgbx(const uint8_t* y0, const uint8_t* y1, const uint8_t* cb, const uint8_t* cr,
                          int32_t width, bool halfChroma, uint8_t* out0, uint8_t* out1) {
#if defined(__SSE2__) && !defined(VELMORA_JPEG_SCALAR_COLOUR)
  JpegYccToRgbxSse2(y0, y1, cb, cr, width, halfChroma, out0, out1);
#else
  JpegYccToRgbxScalar(y0, y1, cb, cr, width, halfChroma, out0, out1);
#endif
}
