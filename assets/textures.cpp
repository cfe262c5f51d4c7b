#include "assets/textures.h"

#include <algorithm>

#include "assets/jpeg/jpeg_decoder.h"
#include "render/gl_api.h"

namespace {

constexpr int kWidestUncompressed = 32;

// A decoded picture, RGB, top line first.
struct RgbLines {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  const uint8_t* Line(int k) const { return rgb.data() + size_t(k) * width * 3; }
};

std::optional<RgbLines> DecodeJpeg(const std::string& path) {
  JpegFileStream stream;
  if (!stream.open(path.c_str())) return std::nullopt;
  JpegDecoder decoder(stream);
  if (decoder.status() != 0 || decoder.beginDecoding() != 0) return std::nullopt;
  RgbLines picture{decoder.width(), decoder.height(), {}};
  picture.rgb.resize(size_t(picture.width) * picture.height * 3);
  const bool grey = decoder.components() == 1;
  for (int k = 0; k < picture.height; ++k) {
    const uint8_t* line = nullptr;
    uint32_t bytes = 0;
    if (decoder.decodeLine(line, bytes) != 0 || !line) return std::nullopt;
    const uint32_t needed = uint32_t(picture.width) * (grey ? 1 : 4);
    if (bytes < needed) return std::nullopt;
    uint8_t* out = picture.rgb.data() + size_t(k) * picture.width * 3;
    for (int x = 0; x < picture.width; ++x) {
      for (int c = 0; c < 3; ++c) out[3 * x + c] = grey ? line[x] : line[4 * x + c];
    }
  }
  return picture;
}

std::optional<RgbLines> DecodeOrReport(MessageSink& messages, const std::string& path) {
  auto picture = DecodeJpeg(path);
  if (!picture) messages.Show({path, "Jpg !", MessageIcon::Information});
  return picture;
}

// The bank index of a slot, or nothing outside the bank.
std::optional<size_t> IndexOf(const TextureBank& bank, int slot) {
  const long long index = slot < kAbsoluteSlotBase ? (long long)bank.offset + slot : slot;
  if (index < 0 || index >= (long long)bank.names.size()) return std::nullopt;
  return size_t(index);
}

// Uploads tightly packed rows whatever the row length, leaving the unpack alignment as it was.
void UploadTexture(GLint internalFormat, int width, int height, GLenum format, const uint8_t* pixels) {
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

// Creates the slot's texture with linear filters and leaves it bound.
bool MakeTexture(TextureBank& bank, int slot) {
  const auto index = IndexOf(bank, slot);
  if (!index) return false;
  glGenTextures(1, &bank.names[*index]);
  glBindTexture(GL_TEXTURE_2D, bank.names[*index]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return true;
}

}  // namespace

void BindTextureSlot(const TextureBank& bank, int slot) {
  const auto index = IndexOf(bank, slot);
  glBindTexture(GL_TEXTURE_2D, index ? bank.names[*index] : 0);
}

void SetLinearFilters() {
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, float(GL_LINEAR));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, float(GL_LINEAR));
}

std::optional<std::vector<uint8_t>> LoadJpegRgb(MessageSink& messages, const std::string& path, int& width,
                                                int& height) {
  const auto picture = DecodeOrReport(messages, path);
  if (!picture) return std::nullopt;
  width = picture->width;
  height = picture->height;
  std::vector<uint8_t> turned(picture->rgb.size());
  const size_t pixels = size_t(width) * height;
  for (size_t i = 0; i < pixels; ++i) std::copy_n(&picture->rgb[3 * i], 3, &turned[3 * (pixels - 1 - i)]);
  return turned;
}

bool LoadTexture(TextureBank& bank, MessageSink& messages, const std::string& path, int slot) {
  const auto picture = DecodeOrReport(messages, path);
  if (!picture) return false;
  const int width = picture->width, height = picture->height;
  std::vector<uint8_t> rows(picture->rgb.size());
  for (int k = 0; k < height; ++k)
    std::copy_n(picture->Line(k), size_t(width) * 3, &rows[size_t(height - 1 - k) * width * 3]);
  if (!MakeTexture(bank, slot)) return false;
  const GLint format = width <= kWidestUncompressed ? 3 : GL_COMPRESSED_RGB_ARB;
  UploadTexture(format, width, height, GL_RGB, rows.data());
  return true;
}

bool LoadTexturePair(TextureBank& bank, MessageSink& messages, const std::string& colourPath,
                     const std::string& alphaPath, int slot) {
  const auto colour = DecodeOrReport(messages, colourPath);
  if (!colour) return false;
  const auto alpha = DecodeOrReport(messages, alphaPath);
  if (!alpha) return false;
  const int width = alpha->width, height = alpha->height;
  if (colour->width != width || colour->height != height) {
    messages.Show({alphaPath, "Jpg !", MessageIcon::Information});
    return false;
  }
  // Row r = max(height - 1 - k, 1) takes alpha line k and colour row r (bottom-up): row 0 stays zero.
  std::vector<uint8_t> rgba(size_t(width) * height * 4, 0);
  for (int k = 0; k < height; ++k) {
    const int row = std::max(height - 1 - k, 1);
    if (row >= height) continue;
    const uint8_t* colourRow = colour->Line(height - 1 - row);
    const uint8_t* alphaLine = alpha->Line(k);
    uint8_t* out = &rgba[size_t(row) * width * 4];
    for (int x = 0; x < width; ++x) {
      std::copy_n(colourRow + 3 * x, 3, out + 4 * x);
      out[4 * x + 3] = alphaLine[3 * x + 1];
    }
  }
  if (!MakeTexture(bank, slot)) return false;
  UploadTexture(GL_COMPRESSED_RGBA_ARB, width, height, GL_RGBA, rgba.data());
  return true;
}

void CreateBlankTexture(TextureBank& bank, int slot, int size) {
  if (!MakeTexture(bank, slot)) return;
  const std::vector<uint8_t> zeros(size_t(std::max(size, 0)) * std::max(size, 0) * 3, 0);
  UploadTexture(3, size, size, GL_RGB, zeros.data());
}
