// Outline-shape files: glyphs of closed polygons in 1/30000 units, filled by the positive winding rule.
//
// Layout (little-endian, no padding): int32 0, int32 0, int32 glyphCount; per glyph int32 polygonCount;
// per polygon int32 vertexCount, float64 depth, then vertexCount pairs of int16 x, y.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assets {

constexpr double kShapeUnit = 30000.0;
constexpr int kMaxShapePoints = 8192;

struct ShapePolygon {
  double depth = 0.0;
  std::vector<int16_t> xy;  // x, y, x, y, ...
};
using ShapeGlyph = std::vector<ShapePolygon>;

struct ShapeFile {
  std::string name;  // file name under textures/
  std::vector<ShapeGlyph> glyphs;
};

std::vector<uint8_t> EncodeShapeFile(const std::vector<ShapeGlyph>& glyphs);
// The glyphs, or nothing when the bytes are not exactly one well-formed file.
std::optional<std::vector<ShapeGlyph>> DecodeShapeFile(const std::vector<uint8_t>& bytes);

// Twice the signed area in shape units, positive for counter-clockwise (filled) contours.
double SignedArea(const ShapePolygon& polygon);

// f.txt, f2.txt, f3.txt and f4.txt.
std::vector<ShapeFile> MakeShapeFiles();

}  // namespace assets
