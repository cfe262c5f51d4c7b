// RGB pictures (top row first, as the offscreen target reads them) to and from PNG files, through libpng.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

bool WritePng(const std::string& path, std::span<const uint8_t> rgb, int width, int height);

// The picture of a PNG file as RGB, top row first; false when it cannot be read.
bool ReadPng(const std::string& path, std::vector<uint8_t>& rgb, int& width, int& height);
