// Folds the vertex stream the core submits into a hash while it draws: every glBegin's mode, every vertex,
// colour and texture coordinate with its exact bits, every display list called. A vertex span folds as the
// calls it stands for, so handing a primitive over whole leaves the hash as it was. Each call goes on to the
// table that was current, so the picture is drawn as usual. One recorder at a time.
#pragma once

#include <cstdint>
#include <cstring>

#include "render/gl_api.h"

class VertexStreamRecorder {
 public:
  VertexStreamRecorder() : wrapped_(gGl) {
    active_ = this;
    gGl.Begin = [](GLenum mode) { active_->Fold('B', mode), active_->wrapped_.Begin(mode); };
    gGl.CallList = [](GLuint list) { active_->Fold('L', list), active_->wrapped_.CallList(list); };
    gGl.Vertex2d = [](GLdouble x, GLdouble y) {
      active_->Fold('V', x, y, 0.0), active_->wrapped_.Vertex2d(x, y);
    };
    gGl.Vertex2f = [](GLfloat x, GLfloat y) {
      active_->Fold('V', x, y, 0.0f), active_->wrapped_.Vertex2f(x, y);
    };
    gGl.Vertex3d = [](GLdouble x, GLdouble y, GLdouble z) {
      active_->Fold('V', x, y, z), active_->wrapped_.Vertex3d(x, y, z);
    };
    gGl.Vertex3f = [](GLfloat x, GLfloat y, GLfloat z) {
      active_->Fold('V', x, y, z), active_->wrapped_.Vertex3f(x, y, z);
    };
    gGl.Color3d = [](GLdouble r, GLdouble g, GLdouble b) {
      active_->Fold('C', r, g, b), active_->wrapped_.Color3d(r, g, b);
    };
    gGl.Color3f = [](GLfloat r, GLfloat g, GLfloat b) {
      active_->Fold('C', r, g, b), active_->wrapped_.Color3f(r, g, b);
    };
    gGl.Color4d = [](GLdouble r, GLdouble g, GLdouble b, GLdouble a) {
      active_->Fold('C', r, g, b, a), active_->wrapped_.Color4d(r, g, b, a);
    };
    gGl.Color4f = [](GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
      active_->Fold('C', r, g, b, a), active_->wrapped_.Color4f(r, g, b, a);
    };
    gGl.TexCoord2d = [](GLdouble s, GLdouble t) {
      active_->Fold('T', s, t), active_->wrapped_.TexCoord2d(s, t);
    };
    gGl.TexCoord2f = [](GLfloat s, GLfloat t) {
      active_->Fold('T', s, t), active_->wrapped_.TexCoord2f(s, t);
    };
    gGl.DrawVertexSpan = [](const VertexSpan& span) {
      active_->Fold('B', span.mode);
      for (int i = 0; i < span.count; ++i) {
        const SpanVertex& v = span.vertices[i];
        if (span.textured) active_->Fold('T', v.s, v.t);
        active_->Fold('V', v.x, v.y, v.z);
      }
      active_->wrapped_.DrawVertexSpan(span);
    };
  }
  ~VertexStreamRecorder() {
    gGl = wrapped_;
    active_ = nullptr;
  }
  VertexStreamRecorder(const VertexStreamRecorder&) = delete;
  VertexStreamRecorder& operator=(const VertexStreamRecorder&) = delete;

  uint64_t Hash() const { return hash_; }
  long long Vertices() const { return vertices_; }

 private:
  template <typename... Values>
  void Fold(char kind, Values... values) {
    if (kind == 'V') ++vertices_;
    FoldBytes(&kind, 1);
    (FoldBytes(&values, sizeof values), ...);
  }
  void FoldBytes(const void* bytes, size_t count) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < count; ++i) hash_ = (hash_ ^ p[i]) * 1099511628211ULL;  // FNV-1a
  }

  inline static VertexStreamRecorder* active_ = nullptr;
  GlSubset wrapped_;
  uint64_t hash_ = 14695981039346656037ULL;
  long long vertices_ = 0;
};
