// Reads a pack back the way the show does: textures through the show's own JPEG decoder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assets/jpeg/jpeg_decoder.h"

namespace assets {

struct DecodedPicture {
  int width = 0, height = 0;
  JpegLayout layout = JpegLayout::Gray;
  bool progressive = false;
  std::vector<uint8_t> rgb;  // width * height * 3, rows top first
};

// The picture, or nothing with the reason in error.
std::optional<DecodedPicture> DecodePicture(const std::string& path, std::string& error);

const char* LayoutName(JpegLayout layout);

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path);

}  // namespace assets
