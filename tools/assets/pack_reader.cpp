#include "tools/assets/pack_reader.h"

#include <fstream>
#include <iterator>

namespace assets {

std::optional<DecodedPicture> DecodePicture(const std::string& path, std::string& error) {
  JpegFileStream stream;
  if (!stream.open(path.c_str())) {
    error = "cannot open";
    return {};
  }
  JpegDecoder decoder(stream);
  auto fail = [&](int32_t code) {
    error = std::string("decoder error ") + std::to_string(code) + " (" + JpegStatusText(code) + ")";
    return std::nullopt;
  };
  if (decoder.status() != 0) return fail(decoder.status());
  if (decoder.beginDecoding() != 0) return fail(decoder.status());
  DecodedPicture picture;
  picture.width = decoder.width(), picture.height = decoder.height();
  picture.layout = decoder.layout(), picture.progressive = decoder.progressive();
  picture.rgb.resize(size_t(picture.width) * picture.height * 3);
  const int step = decoder.bytesPerPixel();
  for (int y = 0; y < picture.height; ++y) {
    const uint8_t* line = nullptr;
    uint32_t bytes = 0;
    const int32_t rc = decoder.decodeLine(line, bytes);
    if (rc != 0) return fail(rc < 0 && decoder.status() != 0 ? decoder.status() : rc);
    if (bytes < uint32_t(picture.width * step)) {
      error = "short line";
      return {};
    }
    uint8_t* out = &picture.rgb[size_t(y) * picture.width * 3];
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* in = line + x * step;
      out[3 * x] = in[0];
      out[3 * x + 1] = step >= 3 ? in[1] : in[0];
      out[3 * x + 2] = step >= 3 ? in[2] : in[0];
    }
  }
  return picture;
}

const char* LayoutName(JpegLayout layout) {
  switch (layout) {
    case JpegLayout::Gray:
      return "grey";
    case JpegLayout::H1V1:
      return "4:4:4";
    case JpegLayout::H2V1:
      return "4:2:2";
    case JpegLayout::H1V2:
      return "4:4:0";
    case JpegLayout::H2V2:
      return "4:2:0";
  }
  return "?";
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {};
  return bytes;
}

}  // namespace assets
