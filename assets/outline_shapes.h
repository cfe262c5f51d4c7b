// Outline shapes: binary shape files turned into display lists through the GLU tessellator.
//
// File (little-endian): int32 reserved, int32 reserved, int32 glyphCount, then per glyph an int32
// polygonCount and per polygon an int32 vertexCount, a float64 depth and vertexCount pairs of int16 x, y.
// Coordinates are scaled by 1/30000, depth by depthScale * 0.014 (rounded to a float). Each polygon is one
// contour of at most 8192 points, filled with the positive winding rule. The whole file is checked before any
// list is compiled: a missing file, one shorter than its counts, a negative count, a contour over 8192
// points or a depth that is not a number within +-1e6 (GLU's tessellator crashes on NaN) is reported in an
// "ERROR" box naming the file, and nothing is compiled. List number 0 is not a
// valid display list, so a shape numbered 0 is read but not compiled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/messages.h"

constexpr int kMaxContourPoints = 8192;
constexpr double kLargestDepth = 1e6;  // far beyond any view's depth range, and a float once scaled

struct ShapePolygon {
  double depth = 0.0;
  std::vector<int16_t> xy;  // x, y, x, y, ...
};

struct ShapeGlyph {
  std::vector<ShapePolygon> polygons;
};

// The glyphs of a shape file's bytes, or nothing when the bytes do not hold what their counts claim.
std::optional<std::vector<ShapeGlyph>> ParseShapeFile(const std::vector<uint8_t>& bytes);

// One display list per glyph, numbered base + glyph. False (after the message) when the file is unusable.
bool ReadGlyphLists(const std::string& path, int& glyphCount, int base, double depthScale,
                    MessageSink& messages);

// One display list per polygon, numbered base + glyph + polygon: later lists replace earlier ones with the
// same number. Polygons of 5 points or fewer leave their list empty.
bool ReadPolygonLists(const std::string& path, int& glyphCount, int base, double depthScale,
                      MessageSink& messages);
