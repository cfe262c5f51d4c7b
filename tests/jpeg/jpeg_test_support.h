// Test and benchmark support: photographic-like pictures, libjpeg-turbo as encoder and as the reference
// decoder, and in-memory input streams for JpegDecoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/jpeg/jpeg_decoder.h"

struct TestPicture {
  int32_t width = 0, height = 0, components = 3;  // 1 (grey) or 3 (RGB)
  std::vector<uint8_t> samples;
};

// Gradients, a few hard-edged shapes and noise, the same for the same seed.
TestPicture MakePicture(int32_t width, int32_t height, int32_t components, uint32_t seed);

struct EncodeOptions {
  int32_t quality = 75;
  int32_t lumaH = 1, lumaV = 1;  // luma sampling factors; chroma is always 1x1
  bool progressive = false;
  int32_t restartInterval = 0;  // in MCUs
  bool forceBaseline = true;    // false lets low qualities use 16-bit tables (an extended frame)
};

std::vector<uint8_t> EncodeWithLibjpeg(const TestPicture& picture, const EncodeOptions& options);

// Decoded lines packed one after the other, bytesPerPixel 4 (RGBX) or 1 (grey).
struct DecodedPicture {
  int32_t width = 0, height = 0, bytesPerPixel = 0;
  std::vector<uint8_t> pixels;
};

// libjpeg-turbo with the fast integer IDCT and no fancy upsampling (or its defaults); false on error.
bool DecodeWithLibjpeg(const std::vector<uint8_t>& jpeg, DecodedPicture& out, bool fastSettings = true);

// Feeds bytes in chunks of at most chunkBytes; records the calls and any read after the end.
class MemoryStream : public JpegInputStream {
 public:
  explicit MemoryStream(const uint8_t* data, size_t size, int32_t chunkBytes = 1 << 30)
      : data_(data), size_(size), chunk_(chunkBytes) {}
  explicit MemoryStream(const std::vector<uint8_t>& bytes, int32_t chunkBytes = 1 << 30)
      : MemoryStream(bytes.data(), bytes.size(), chunkBytes) {}

  int32_t read(uint8_t* buffer, int32_t maxBytes, bool& endOfStream) override;
  void attach() override { attaches++; }
  void detach() override { detaches++; }

  int32_t attaches = 0, detaches = 0, reads = 0;
  bool readAfterEnd = false;  // asked again after it reported its end
  bool failNextRead = false;  // the next read returns -1

 private:
  const uint8_t* data_;
  size_t size_, offset_ = 0;
  int32_t chunk_;
  bool ended_ = false;
};

// Decodes all lines with JpegDecoder; returns the first non-zero status (construction, beginDecoding
// or the status after a failed decodeLine), 0 on success.
int32_t DecodeWithOurs(JpegInputStream& stream, DecodedPicture& out);
int32_t DecodeWithOurs(const std::vector<uint8_t>& jpeg, DecodedPicture& out);
