// The group's logo word as one-pixel strokes, and the stroke tracer's walk used to check the decoded file.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assets/paint.h"

namespace assets {

constexpr int kLogoSize = 128;

// White one-pixel-wide, 8-connected strokes on black, at least 6 pixels clear of every edge.
Image Logo();

struct TraceCount {
  int curves = 0;
  int points = 0;
};

// Walks the red channel (width x height bytes, rows top first) the way the show's tracer does: every pixel
// of exactly 255, in row order, seeds a curve that steps to the first neighbour above 200 (clockwise from
// straight up), marking each visited pixel 128 so that it is not visited again.
TraceCount TraceStrokes(std::vector<uint8_t> red, int width, int height);

// True when no pixel of the two outermost rows and columns is above 200.
bool BorderIsDark(const std::vector<uint8_t>& red, int width, int height);

}  // namespace assets
