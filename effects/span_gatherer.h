// Gathers the vertices of one primitive and hands them to the renderer whole (render/vertex_span.h). The
// storage is kept from span to span (one array per thread and nesting depth, for the first few depths), so
// gathering allocates nothing once the longest span has been seen.
#pragma once

#include <vector>

#include "math/vec3.h"
#include "render/gl_api.h"

class SpanGatherer {
 public:
  SpanGatherer(GLenum mode, bool textured);
  ~SpanGatherer();
  SpanGatherer(const SpanGatherer&) = delete;
  SpanGatherer& operator=(const SpanGatherer&) = delete;

  void Reserve(size_t n) { vertices_.reserve(n); }
  // As glVertex3f(x, y, 0) would take it.
  void Flat(float x, float y) { vertices_.push_back({x, y, 0.0f, 0.0, 0.0}); }
  void Flat(const Vec3& v) { Flat(v.x, v.y); }
  // As glTexCoord2d(s, t) and then glVertex3f(x, y, 0) would take them.
  void FlatTextured(float x, float y, double s, double t) { vertices_.push_back({x, y, 0.0f, s, t}); }
  void FlatTextured(const Vec3& v, double s, double t) { FlatTextured(v.x, v.y, s, t); }

  // Draws what was gathered (once).
  void Draw();

 private:
  GLenum mode_;
  bool textured_;
  std::vector<SpanVertex> own_;  // used only beyond the kept depths
  std::vector<SpanVertex>& vertices_;
};
