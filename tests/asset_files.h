// Small asset files for tests: JPEGs written with libjpeg-turbo and shape files in the show's format.
#pragma once

#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace test_assets {

using Pixels = std::vector<uint8_t>;
using Contour = std::vector<std::pair<int16_t, int16_t>>;

inline Pixels Filled(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  Pixels pixels(size_t(width) * height * 3);
  for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = r, pixels[i + 1] = g, pixels[i + 2] = b;
  return pixels;
}

// A JPEG of the given RGB (or grey) pixels at the best quality, 4:4:4.
inline void WriteJpeg(const std::filesystem::path& path, const Pixels& pixels, int width, int height,
                      bool grey = false) {
  tjhandle compressor = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(compressor, pixels.data(), width, 0, height, grey ? TJPF_GRAY : TJPF_RGB, &jpeg, &size,
              grey ? TJSAMP_GRAY : TJSAMP_444, 100, 0);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(jpeg), long(size));
  tjFree(jpeg);
  tjDestroy(compressor);
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// Builds a shape file: glyphs of (depth, contour) polygons.
class ShapeFileWriter {
 public:
  ShapeFileWriter& Glyph() {
    glyphs_.emplace_back();
    return *this;
  }
  ShapeFileWriter& Polygon(const Contour& contour, double depth = 0.0) {
    glyphs_.back().push_back({depth, contour});
    return *this;
  }
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> out;
    Put(out, int32_t(7)), Put(out, int32_t(7)), Put(out, int32_t(glyphs_.size()));
    for (const auto& glyph : glyphs_) {
      Put(out, int32_t(glyph.size()));
      for (const auto& [depth, contour] : glyph) {
        Put(out, int32_t(contour.size())), Put(out, depth);
        for (auto [x, y] : contour) Put(out, x), Put(out, y);
      }
    }
    return out;
  }

 private:
  template <typename T>
  static void Put(std::vector<uint8_t>& out, T value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
  }
  std::vector<std::vector<std::pair<double, Contour>>> glyphs_;
};

inline Contour RegularPolygon(int corners, int16_t radius = 15000) {
  Contour contour;
  for (int i = 0; i < corners; ++i) {
    const double angle = 2 * 3.14159265358979 * i / corners;
    contour.push_back({int16_t(radius * std::cos(angle)), int16_t(radius * std::sin(angle))});
  }
  return contour;
}

// Every file the show loads, small and plain, under dir/textures: 8 x 8 singles, 16 x 8 pairs, a 128 x 128
// logo with two strokes, and shape files of two glyphs.
inline void WriteTinyPack(const std::filesystem::path& dir) {
  static const char* const kSingles[] = {
      "blob41b", "gradient13", "paper",    "silent",   "theman",   "butterfly", "leaf",   "butt",
      "pattern", "patternr",   "pattern4", "pattern5", "pattern6", "pattern3",  "walker", "floor"};
  static const char* const kPairs[][2] = {{"gaitis", "gaitisa"},
                                          {"bl", "bla"},
                                          {"zep1", "zepa"},
                                          {"psalidi1", "psalidi1a"},
                                          {"psalidi2", "psalidi2a"}};
  const auto textures = dir / "textures";
  std::filesystem::create_directories(textures);
  auto jpeg = [&textures](const std::string& name) { return textures / (name + ".jpg"); };
  for (const char* name : kSingles) WriteJpeg(jpeg(name), Filled(8, 8, 120, 80, 40), 8, 8);
  for (const auto& pair : kPairs) {
    WriteJpeg(jpeg(pair[0]), Filled(16, 8, 200, 50, 50), 16, 8);
    WriteJpeg(jpeg(pair[1]), Filled(16, 8, 255, 255, 255), 16, 8);
  }
  Pixels logo = Filled(128, 128, 0, 0, 0);
  for (int x = 20; x < 100; ++x) std::fill_n(&logo[(60 * 128 + x) * 3], 3, 255);
  for (int x = 30; x < 50; ++x) std::fill_n(&logo[(90 * 128 + x) * 3], 3, 255);
  WriteJpeg(jpeg("oskelr"), logo, 128, 128);
  const auto shapes = ShapeFileWriter().Glyph().Polygon(RegularPolygon(8)).Glyph().Polygon(RegularPolygon(6));
  for (const char* name : {"f", "f2", "f3", "f4"})
    WriteBytes(textures / (std::string(name) + ".txt"), shapes.Bytes());
}

}  // namespace test_assets
