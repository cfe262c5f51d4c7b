// Shrinks a supersampled picture to its output size.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Each output pixel is the rounded mean of a factor x factor block of `rgb` (width x height, RGB); the sides
// must be multiples of the factor. `out` is resized to fit.
void BoxDownsample(std::span<const uint8_t> rgb, int width, int height, int factor,
                   std::vector<uint8_t>& out);
