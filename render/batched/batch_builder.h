// The CPU half of the batched renderer: the fixed-function state of the subset, the matrix stacks, and the
// assembly of immediate-mode primitives into one vertex stream with the draws that use it. No GL calls here;
// render/batched/batched_backend.cpp runs what this records.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "render/batched/batch_vertex.h"
#include "render/batched/matrix_stack.h"
#include "render/batched/stream_sink.h"
#include "render/gl_headers.h"
#include "render/vertex_span.h"

// Everything a draw needs besides its vertices; draws with equal state join into one.
struct DrawState {
  GLenum primitive = GL_TRIANGLES;  // GL_TRIANGLES or GL_LINES (one pixel wide)
  bool blend = false;
  GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
  bool depthTest = false;
  GLenum depthFunction = GL_LESS;
  bool depthWrite = true;
  bool cull = false;
  GLenum cullFace = GL_BACK;
  GLuint texture = 0;  // 0: no texturing
  GLint environment = GL_MODULATE;
  bool operator==(const DrawState&) const = default;
};

// Indices into the vertex stream: three a triangle, two a (one-pixel) line.
struct DrawCommand {
  DrawState state;
  int firstIndex = 0;
  int indexCount = 0;
};

// The state that glPushAttrib(GL_ALL_ATTRIB_BITS) keeps.
struct AttributeState {
  bool blend = false, depthTest = false, cull = false, texturing = false;
  GLenum blendSource = GL_ONE, blendDestination = GL_ZERO;
  GLenum depthFunction = GL_LESS;
  bool depthWrite = true;
  GLenum cullFace = GL_BACK;
  float lineWidth = 1, pointSize = 1;
  GLint environment = GL_MODULATE;
  GLuint boundTexture = 0;
  GLenum matrixMode = GL_MODELVIEW;
  float colour[4] = {1, 1, 1, 1};
  uint8_t packedColour[4] = {255, 255, 255, 255};  // the colour as the vertices carry it
  float texCoord[2] = {0, 0};
  GLint viewport[4] = {0, 0, 0, 0};
  float clearColour[4] = {0, 0, 0, 0};
  double clearDepth = 1.0;
};

class BatchBuilder {
 public:
  BatchBuilder();

  // State
  AttributeState& State() { return state_; }
  const AttributeState& State() const { return state_; }
  bool PushAttributes();  // false on overflow
  bool PopAttributes();   // false on underflow

  // Matrices
  MatrixStack& Stack(GLenum mode);
  MatrixStack& CurrentStack() { return Stack(state_.matrixMode); }
  void MatricesChanged() { transformDirty_ = true; }

  // Immediate mode
  bool Begin(GLenum mode);  // false for a mode the subset does not draw
  void Vertex(double x, double y, double z) {
    if (!inPrimitive_) return;
    if (recording_) {
      objectCorners_.push_back({float(x), float(y), float(z), 0.0, 0.0});
    } else {
      *vertices_.Extend(1) =
          Transformed(float(x), float(y), float(z), state_.texCoord[0], state_.texCoord[1]);
    }
  }
  void End();
  // A whole primitive, as Begin, its vertices (each after its texture coordinate when textured) and End
  // would make it; false for a mode the subset does not draw.
  bool AppendSpan(const VertexSpan& span);
  bool InPrimitive() const { return inPrimitive_; }

  // Display lists: object-space triangles recorded between NewList and EndList.
  void BeginList(GLuint list);
  void EndList();
  bool Recording() const { return recording_; }
  void CallList(GLuint list);

  // Sets the current colour (and its packed form).
  void SetColour(float r, float g, float b, float a);

  // What has been drawn since the last Clear.
  const StreamSink<BatchVertex>& Vertices() const { return vertices_; }
  const StreamSink<uint32_t>& Indices() const { return indices_; }
  // Where the vertices and indices go: windows mapped by the back end where it has them.
  void SetWindows(StreamSink<BatchVertex>::Windows vertices, StreamSink<uint32_t>::Windows indices) {
    vertices_.SetWindows(std::move(vertices));
    indices_.SetWindows(std::move(indices));
  }
  const std::vector<DrawCommand>& Commands() const { return commands_; }
  void Clear();
  long long VerticesSubmitted() const { return submitted_; }

 private:
  void UpdateTransform();
  BatchVertex Transformed(float x, float y, float z, float s, float t) const;
  // A span's vertices transformed into `out`, when the texture matrix is the identity.
  void SpanTransform(std::span<const SpanVertex> in, bool textured, BatchVertex* out) const;
  DrawState CurrentDrawState(GLenum primitive) const;
  // Opens (or continues) the draw for the current state and primitive kind; a new one starts at firstIndex.
  void StartDraw(GLenum primitive, size_t firstIndex);
  void AddIndices(const std::vector<uint32_t>& relative, uint32_t base);
  void EmitLines(GLenum mode, uint32_t first, int count);
  void EmitWideLine(const BatchVertex& a, const BatchVertex& b);

  AttributeState state_;
  std::vector<AttributeState> attributeStack_;
  MatrixStack modelview_{32}, projection_{4}, texture_{4};
  bool transformDirty_ = true;
  Matrix4 clipFromObject_{};
  bool textureMatrixIdentity_ = true;
  Matrix4 textureMatrix_{};

  bool inPrimitive_ = false;
  GLenum primitiveMode_ = GL_TRIANGLES;
  uint32_t primitiveStart_ = 0;            // where the open primitive's vertices begin in the stream
  std::vector<SpanVertex> objectCorners_;  // the primitive in its own coordinates, while recording a list
  std::vector<uint32_t> scratchIndices_;

  bool recording_ = false;
  GLuint recordingList_ = 0;
  struct List {
    std::vector<SpanVertex> corners;  // untextured
    std::vector<uint32_t> indices;    // triangles
  };
  std::map<GLuint, List> lists_;

  StreamSink<BatchVertex> vertices_;
  StreamSink<uint32_t> indices_;
  std::vector<DrawCommand> commands_;
  long long submitted_ = 0;
};

inline BatchVertex BatchBuilder::Transformed(float x, float y, float z, float s, float t) const {
  const Matrix4& m = clipFromObject_;
  BatchVertex v;
  v.x = m[0] * x + m[4] * y + m[8] * z + m[12];
  v.y = m[1] * x + m[5] * y + m[9] * z + m[13];
  v.z = m[2] * x + m[6] * y + m[10] * z + m[14];
  v.w = m[3] * x + m[7] * y + m[11] * z + m[15];
  v.r = state_.packedColour[0], v.g = state_.packedColour[1];
  v.b = state_.packedColour[2], v.a = state_.packedColour[3];
  if (textureMatrixIdentity_) {
    v.s = s, v.t = t;
  } else {
    const Matrix4& tm = textureMatrix_;
    const float q = tm[3] * s + tm[7] * t + tm[15];
    v.s = (tm[0] * s + tm[4] * t + tm[12]) / q;
    v.t = (tm[1] * s + tm[5] * t + tm[13]) / q;
  }
  return v;
}
