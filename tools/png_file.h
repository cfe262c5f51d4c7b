// RGB pictures (top row first, as the offscreen target reads them) to cairo surfaces and PNG files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A new image surface holding the picture; the caller destroys it.
cairo_surface_t* SurfaceFromRgb(std::span<const uint8_t> rgb, int width, int height);

bool WritePng(const std::string& path, std::span<const uint8_t> rgb, int width, int height);

// The picture of a PNG file as RGB, top row first; false when it cannot be read.
bool ReadPng(const std::string& path, std::vector<uint8_t>& rgb, int& width, int& height);
