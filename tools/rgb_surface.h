// RGB pictures (top row first) as cairo surfaces, for the contact sheets.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <span>

// A new image surface holding the picture; the caller destroys it.
cairo_surface_t* SurfaceFromRgb(std::span<const uint8_t> rgb, int width, int height);
