#include "render/batched/batch_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

namespace {

constexpr size_t kAttributeDepth = 16;

// How many triangles a primitive of n vertices makes.
size_t TriangleCount(GLenum mode, int n) {
  switch (mode) {
    case GL_TRIANGLES:
      return size_t(n / 3);
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      return n > 2 ? size_t(n - 2) : 0;
    case GL_QUADS:
      return size_t(n / 4) * 2;
    case GL_QUAD_STRIP:
      return n > 3 ? size_t((n - 2) / 2) * 2 : 0;
    default:
      return 0;
  }
}

// Writes the corners of a primitive of n vertices that make its triangles (base + index, three a triangle)
// to `next`, TriangleCount(mode, n) triangles, keeping the winding the compatibility profile gives them:
// strips alternate, quads and polygons fan from their first corner.
void TriangleIndices(GLenum mode, int n, uint32_t base, uint32_t* next) {
  const auto add = [&](int a, int b, int c) {
    next[0] = base + uint32_t(a), next[1] = base + uint32_t(b), next[2] = base + uint32_t(c);
    next += 3;
  };
  switch (mode) {
    case GL_TRIANGLES:
      for (int i = 0; i + 2 < n; i += 3) add(i, i + 1, i + 2);
      break;
    case GL_TRIANGLE_STRIP:
      for (int i = 0; i + 2 < n; ++i) i % 2 ? add(i + 1, i, i + 2) : add(i, i + 1, i + 2);
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (int i = 1; i + 1 < n; ++i) add(0, i, i + 1);
      break;
    case GL_QUADS:
      for (int i = 0; i + 3 < n; i += 4) add(i, i + 1, i + 2), add(i, i + 2, i + 3);
      break;
    case GL_QUAD_STRIP:
      for (int i = 0; i + 3 < n; i += 2) add(i, i + 1, i + 3), add(i, i + 3, i + 2);
      break;
    default:
      break;
  }
}

void LineIndices(GLenum mode, int n, std::vector<uint32_t>& out) {
  out.clear();
  const auto add = [&](int a, int b) { out.push_back(uint32_t(a)), out.push_back(uint32_t(b)); };
  if (mode == GL_LINES) {
    for (int i = 0; i + 1 < n; i += 2) add(i, i + 1);
    return;
  }
  for (int i = 0; i + 1 < n; ++i) add(i, i + 1);
  if (mode == GL_LINE_LOOP && n > 2) add(n - 1, 0);
}

bool IsLines(GLenum mode) {
  return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
}

uint8_t Unorm8(float value) {
  return uint8_t(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

BatchBuilder::BatchBuilder() {
  attributeStack_.reserve(kAttributeDepth);
}

bool BatchBuilder::PushAttributes() {
  if (attributeStack_.size() >= kAttributeDepth) return false;
  attributeStack_.push_back(state_);
  return true;
}

bool BatchBuilder::PopAttributes() {
  if (attributeStack_.empty()) return false;
  state_ = attributeStack_.back();
  attributeStack_.pop_back();
  return true;
}

MatrixStack& BatchBuilder::Stack(GLenum mode) {
  return mode == GL_PROJECTION ? projection_ : mode == GL_TEXTURE ? texture_ : modelview_;
}

void BatchBuilder::UpdateTransform() {
  if (!transformDirty_) return;
  clipFromObject_ = Multiply(projection_.Top(), modelview_.Top());
  textureMatrix_ = texture_.Top();
  textureMatrixIdentity_ = textureMatrix_ == IdentityMatrix();
  transformDirty_ = false;
}

DrawState BatchBuilder::CurrentDrawState(GLenum primitive) const {
  DrawState draw;
  draw.primitive = primitive;
  draw.blend = state_.blend;
  if (draw.blend) draw.blendSource = state_.blendSource, draw.blendDestination = state_.blendDestination;
  draw.depthTest = state_.depthTest;
  if (draw.depthTest) draw.depthFunction = state_.depthFunction, draw.depthWrite = state_.depthWrite;
  draw.cull = state_.cull && primitive == GL_TRIANGLES;
  if (draw.cull) draw.cullFace = state_.cullFace;
  // A texture that was never made (name 0) leaves the fragments as if texturing were off.
  draw.texture = state_.texturing ? state_.boundTexture : 0;
  if (draw.texture) draw.environment = state_.environment;
  return draw;
}

void BatchBuilder::SetColour(float r, float g, float b, float a) {
  float* colour = state_.colour;
  colour[0] = r, colour[1] = g, colour[2] = b, colour[3] = a;
  for (int i = 0; i < 4; ++i) state_.packedColour[i] = Unorm8(colour[i]);
}

bool BatchBuilder::Begin(GLenum mode) {
  switch (mode) {
    case GL_TRIANGLES:
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
    case GL_QUADS:
    case GL_QUAD_STRIP:
    case GL_POLYGON:
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      break;
    default:
      return false;
  }
  inPrimitive_ = true;
  primitiveMode_ = mode;
  primitiveStart_ = uint32_t(vertices_.size());
  objectCorners_.clear();
  if (!recording_) UpdateTransform();
  return true;
}

void BatchBuilder::End() {
  if (!inPrimitive_) return;
  inPrimitive_ = false;
  if (recording_) {
    List& list = lists_[recordingList_];
    const int n = int(objectCorners_.size());
    const size_t start = list.indices.size();
    list.indices.resize(start + 3 * TriangleCount(primitiveMode_, n));
    TriangleIndices(primitiveMode_, n, uint32_t(list.corners.size()), list.indices.data() + start);
    list.corners.insert(list.corners.end(), objectCorners_.begin(), objectCorners_.end());
    return;
  }
  const int count = int(vertices_.size() - primitiveStart_);
  submitted_ += count;
  if (IsLines(primitiveMode_)) {
    EmitLines(primitiveMode_, primitiveStart_, count);
    return;
  }
  const size_t indices = 3 * TriangleCount(primitiveMode_, count);
  if (indices == 0) return;  // too few corners for a single triangle
  StartDraw(GL_TRIANGLES, indices_.size());
  TriangleIndices(primitiveMode_, count, primitiveStart_, indices_.Extend(indices));
  commands_.back().indexCount += int(indices);
}

bool BatchBuilder::AppendSpan(const VertexSpan& span) {
  if (!Begin(span.mode)) return false;
  const std::span<const SpanVertex> in(span.vertices, size_t(std::max(span.count, 0)));
  if (recording_) {
    for (const SpanVertex& v : in) objectCorners_.push_back({v.x, v.y, v.z, 0.0, 0.0});
  } else if (!textureMatrixIdentity_) {
    BatchVertex* out = vertices_.Extend(in.size());
    for (const SpanVertex& v : in) {
      if (span.textured) state_.texCoord[0] = float(v.s), state_.texCoord[1] = float(v.t);
      *out++ = Transformed(v.x, v.y, v.z, state_.texCoord[0], state_.texCoord[1]);
    }
  } else {
    SpanTransform(in, span.textured, vertices_.Extend(in.size()));
    if (span.textured && !in.empty()) {
      state_.texCoord[0] = float(in.back().s), state_.texCoord[1] = float(in.back().t);
    }
  }
  End();
  return true;
}

void BatchBuilder::SpanTransform(std::span<const SpanVertex> in, bool textured, BatchVertex* out) const {
  // The matrix's columns as lanes: x, y, z and w of a vertex at once, each lane summed in the order the
  // scalar transform sums it, ((m0 x + m4 y) + m8 z) + m12, so that the result is the same to the bit.
  using Lanes = float __attribute__((vector_size(16)));
  const Matrix4& m = clipFromObject_;
  const Lanes c0 = {m[0], m[1], m[2], m[3]}, c1 = {m[4], m[5], m[6], m[7]};
  const Lanes c2 = {m[8], m[9], m[10], m[11]}, c3 = {m[12], m[13], m[14], m[15]};
  BatchVertex v;  // the colour and (untextured) texture coordinate stay; the rest is written per vertex
  std::memcpy(&v.r, state_.packedColour, 4);
  v.s = state_.texCoord[0], v.t = state_.texCoord[1];
  for (const SpanVertex& corner : in) {
    const Lanes position = c0 * corner.x + c1 * corner.y + c2 * corner.z + c3;
    std::memcpy(&v.x, &position, sizeof position);
    if (textured) v.s = float(corner.s), v.t = float(corner.t);
    *out++ = v;
  }
}

void BatchBuilder::BeginList(GLuint list) {
  recording_ = true;
  recordingList_ = list;
  lists_[list] = {};
}

void BatchBuilder::EndList() {
  recording_ = false;
}

void BatchBuilder::CallList(GLuint list) {
  const auto found = lists_.find(list);
  if (found == lists_.end() || found->second.indices.empty()) return;
  UpdateTransform();
  const uint32_t base = uint32_t(vertices_.size());
  const std::vector<SpanVertex>& corners = found->second.corners;
  BatchVertex* out = vertices_.Extend(corners.size());
  if (textureMatrixIdentity_) {
    SpanTransform(corners, false, out);
  } else {
    for (const SpanVertex& c : corners)
      *out++ = Transformed(c.x, c.y, c.z, state_.texCoord[0], state_.texCoord[1]);
  }
  submitted_ += (long long)found->second.corners.size();
  StartDraw(GL_TRIANGLES, indices_.size());
  AddIndices(found->second.indices, base);
}

void BatchBuilder::StartDraw(GLenum primitive, size_t firstIndex) {
  const DrawState draw = CurrentDrawState(primitive);
  if (commands_.empty() || !(commands_.back().state == draw)) {
    commands_.push_back({draw, int(firstIndex), 0});
  }
}

void BatchBuilder::AddIndices(const std::vector<uint32_t>& relative, uint32_t base) {
  uint32_t* out = indices_.Extend(relative.size());
  for (uint32_t i : relative) *out++ = base + i;
  commands_.back().indexCount += int(relative.size());
}

void BatchBuilder::EmitLines(GLenum mode, uint32_t first, int count) {
  LineIndices(mode, count, scratchIndices_);
  if (scratchIndices_.empty()) return;
  if (state_.lineWidth <= 1) {
    StartDraw(GL_LINES, indices_.size());
    AddIndices(scratchIndices_, first);
    return;
  }
  const std::vector<uint32_t> segments = scratchIndices_;
  for (size_t i = 0; i + 1 < segments.size(); i += 2) {
    EmitWideLine(vertices_[first + segments[i]], vertices_[first + segments[i + 1]]);
  }
}

// A line wider than a pixel as the compatibility profile draws it: a parallelogram whose ends are moved
// half the width up and down (a mostly horizontal line) or left and right (a mostly vertical one).
void BatchBuilder::EmitWideLine(const BatchVertex& a, const BatchVertex& b) {
  if (a.w <= 0 || b.w <= 0) return;  // behind the eye: not worth a clipper of its own
  const float width = float(state_.viewport[2]), height = float(state_.viewport[3]);
  if (width <= 0 || height <= 0) return;
  const float dx = std::fabs(b.x / b.w - a.x / a.w) * width, dy = std::fabs(b.y / b.w - a.y / a.w) * height;
  const bool mostlyHorizontal = dx >= dy;
  const float half = state_.lineWidth / 2;
  const float offset = mostlyHorizontal ? 2 * half / height : 2 * half / width;  // in normalised units
  const auto moved = [&](BatchVertex v, float sign) {
    (mostlyHorizontal ? v.y : v.x) += sign * offset * v.w;
    return v;
  };
  const uint32_t base = uint32_t(vertices_.size());
  const BatchVertex corners[4] = {moved(a, -1), moved(a, 1), moved(b, 1), moved(b, -1)};
  std::copy(corners, corners + 4, vertices_.Extend(4));
  static const std::vector<uint32_t> kQuad = {0, 1, 2, 0, 2, 3};
  StartDraw(GL_TRIANGLES, indices_.size());
  AddIndices(kQuad, base);
}

void BatchBuilder::Clear() {
  vertices_.Clear();
  indices_.Clear();
  commands_.clear();
}
