#include "assets/outline_shapes.h"

#include <array>
#include <cmath>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>

#include "render/gl_api.h"

namespace {

constexpr double kCoordinateScale = 1.0 / 30000.0;
constexpr double kDepthScale = 0.014;
constexpr int kFewestFilledPoints = 6;

// Reads little-endian values front to back; any read past the end fails the reader for good.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  template <typename T>
  bool Read(T& value) {
    if (bytes_.size() - at_ < sizeof(T)) return false;
    std::memcpy(&value, bytes_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return true;
  }
  size_t Left() const { return bytes_.size() - at_; }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
  if (file.bad()) return std::nullopt;
  return bytes;
}

// Feeds one polygon at a time to a GLU tessellator whose callbacks draw into the list being compiled.
class Tessellator {
 public:
  Tessellator() : tess_(gluNewTess()) {
    gluTessCallback(tess_, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(OnBegin));
    gluTessCallback(tess_, GLU_TESS_VERTEX, reinterpret_cast<_GLUfuncptr>(OnVertex));
    gluTessCallback(tess_, GLU_TESS_END, reinterpret_cast<_GLUfuncptr>(OnEnd));
    gluTessCallback(tess_, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(OnCombine));
    gluTessProperty(tess_, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
  }
  ~Tessellator() { gluDeleteTess(tess_); }
  Tessellator(const Tessellator&) = delete;
  Tessellator& operator=(const Tessellator&) = delete;

  void Fill(const ShapePolygon& polygon, double depthScale) {
    const double z = static_cast<float>(polygon.depth * depthScale * kDepthScale);
    const size_t count = polygon.xy.size() / 2;
    gluTessBeginPolygon(tess_, this);
    gluTessBeginContour(tess_);
    for (size_t i = 0; i < count; ++i) {
      auto& vertex = store_[i];
      vertex = {polygon.xy[2 * i] * kCoordinateScale, polygon.xy[2 * i + 1] * kCoordinateScale, z};
      gluTessVertex(tess_, vertex.data(), vertex.data());
    }
    gluTessEndContour(tess_);
    gluTessEndPolygon(tess_);
  }

 private:
  using Vertex = std::array<double, 3>;

  static void GLAPIENTRY OnBegin(GLenum type) { glBegin(type); }
  static void GLAPIENTRY OnVertex(const double* vertex) {
    glVertex3f(float(vertex[0]), float(vertex[1]), float(vertex[2]));
  }
  static void GLAPIENTRY OnEnd() { glEnd(); }
  // Where contours cross, the tessellator asks for a new vertex; it must outlive the polygon.
  static void GLAPIENTRY OnCombine(const double coordinates[3], void* [4], const float[4], void** out,
                                   void* self) {
    auto& made = static_cast<Tessellator*>(self)->combined_;
    made.push_back({coordinates[0], coordinates[1], coordinates[2]});
    *out = made.back().data();
  }

  GLUtesselator* tess_;
  std::vector<Vertex> store_ = std::vector<Vertex>(kMaxContourPoints);
  std::deque<Vertex> combined_;
};

std::optional<std::vector<ShapeGlyph>> LoadShapes(const std::string& path, MessageSink& messages) {
  const auto bytes = ReadWholeFile(path);
  auto glyphs = bytes ? ParseShapeFile(*bytes) : std::nullopt;
  if (!glyphs) messages.Show({path, "ERROR", MessageIcon::Exclamation});
  return glyphs;
}

}  // namespace

std::optional<std::vector<ShapeGlyph>> ParseShapeFile(const std::vector<uint8_t>& bytes) {
  ByteReader reader(bytes);
  int32_t reserved = 0, glyphCount = 0;
  if (!reader.Read(reserved) || !reader.Read(reserved) || !reader.Read(glyphCount) || glyphCount < 0) {
    return std::nullopt;
  }
  std::vector<ShapeGlyph> glyphs;
  for (int32_t g = 0; g < glyphCount; ++g) {
    int32_t polygonCount = 0;
    if (!reader.Read(polygonCount) || polygonCount < 0) return std::nullopt;
    ShapeGlyph& glyph = glyphs.emplace_back();
    for (int32_t p = 0; p < polygonCount; ++p) {
      int32_t vertexCount = 0;
      ShapePolygon polygon;
      if (!reader.Read(vertexCount) || !reader.Read(polygon.depth)) return std::nullopt;
      if (vertexCount < 0 || vertexCount > kMaxContourPoints || reader.Left() < size_t(vertexCount) * 4 ||
          !(std::fabs(polygon.depth) <= kLargestDepth)) {
        return std::nullopt;
      }
      polygon.xy.resize(size_t(vertexCount) * 2);
      for (int16_t& value : polygon.xy) reader.Read(value);
      glyph.polygons.push_back(std::move(polygon));
    }
  }
  return glyphs;
}

bool ReadGlyphLists(const std::string& path, int& glyphCount, int base, double depthScale,
                    MessageSink& messages) {
  const auto glyphs = LoadShapes(path, messages);
  if (!glyphs) return false;
  glyphCount = int(glyphs->size());
  Tessellator tessellator;
  for (int g = 0; g < glyphCount; ++g) {
    if (base + g <= 0) continue;
    glNewList(GLuint(base + g), GL_COMPILE);
    for (const ShapePolygon& polygon : (*glyphs)[g].polygons) tessellator.Fill(polygon, depthScale);
    glEndList();
  }
  return true;
}

bool ReadPolygonLists(const std::string& path, int& glyphCount, int base, double depthScale,
                      MessageSink& messages) {
  const auto glyphs = LoadShapes(path, messages);
  if (!glyphs) return false;
  glyphCount = int(glyphs->size());
  Tessellator tessellator;
  for (int g = 0; g < glyphCount; ++g) {
    const auto& polygons = (*glyphs)[g].polygons;
    for (int p = 0; p < int(polygons.size()); ++p) {
      if (base + g + p <= 0) continue;
      glNewList(GLuint(base + g + p), GL_COMPILE);
      if (polygons[p].xy.size() / 2 >= kFewestFilledPoints) tessellator.Fill(polygons[p], depthScale);
      glEndList();
    }
  }
  return true;
}
