// Turns the logo picture's bright one-pixel strokes into curves, one per stroke.
//
// A greedy walk over bright pixels (red above 200) from seed pixels (red exactly 255), in row order; walked
// pixels are marked 128 so no pixel is walked twice and a branching stroke becomes several curves. Points are
// centred on the picture: x = width / 2 - px, y = py - height / 2. Pixels outside the picture count as dark.
#pragma once

#include <cstdint>
#include <vector>

#include "effects/curve.h"

// `pixels`: width x height RGB bytes, row-major; only the red bytes are read and written.
void TraceLogo(uint8_t* pixels, int& width, int& height, std::vector<Curve>& curves);
