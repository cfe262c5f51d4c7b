#include "render/batched/batched_gl.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "render/batched/batch_builder.h"
#include "render/batched/batched_backend.h"
#include "render/gl_strings.h"
#include "render/gl_table.h"

// The entry points of the core's table. What the subset keeps (matrices, immediate mode, the fixed-function
// state) goes to the builder; what a modern context does itself (textures, framebuffers, buffers) goes to
// the driver by GL's own names, after the draws recorded so far where it changes what they would see.
namespace {

struct Renderer {
  explicit Renderer(BatchedFlavour flavour) : backend(flavour) {}
  BatchBuilder builder;
  BatchedBackend backend;
};

Renderer* gRenderer = nullptr;

BatchBuilder& Builder() {
  return gRenderer->builder;
}

AttributeState& State() {
  return gRenderer->builder.State();
}

BatchedBackend& Backend() {
  return gRenderer->backend;
}

void Execute() {
  gRenderer->backend.Execute(gRenderer->builder);
}

// A call the subset does not cover: said once for each entry point and value.
void Unsupported(const char* entryPoint, unsigned value) {
  static std::set<std::string> said;
  const std::string what = std::string(entryPoint) + " 0x" + std::to_string(value);
  if (!said.insert(what).second) return;
  std::fprintf(stderr, "velmora: the batched renderer does not do %s(0x%X); it is outside the GL subset\n",
               entryPoint, value);
}

// The viewport of the draws recorded so far must hold when they run: a new one waits for them.
void SyncViewport() {
  const GLint* v = State().viewport;
  if (std::memcmp(v, Backend().Viewport(), sizeof State().viewport) == 0) return;
  Execute();
  Backend().SetViewport(v);
}

// Every draw needs its viewport, so the entry points that record draws sync it first.
void Begin(GLenum mode) {
  SyncViewport();
  if (!Builder().Begin(mode)) Unsupported("glBegin", mode);
}
void End() {
  Builder().End();
}
void Vertex2d(GLdouble x, GLdouble y) {
  Builder().Vertex(x, y, 0);
}
void Vertex2f(GLfloat x, GLfloat y) {
  Builder().Vertex(x, y, 0);
}
void Vertex3d(GLdouble x, GLdouble y, GLdouble z) {
  Builder().Vertex(x, y, z);
}
void Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
  Builder().Vertex(x, y, z);
}
void SetColour(float r, float g, float b, float a) {
  if (Builder().Recording()) Unsupported("glColor in a display list", 0);
  Builder().SetColour(r, g, b, a);
}
void Color3d(GLdouble r, GLdouble g, GLdouble b) {
  SetColour(float(r), float(g), float(b), 1);
}
void Color3f(GLfloat r, GLfloat g, GLfloat b) {
  SetColour(r, g, b, 1);
}
void Color4d(GLdouble r, GLdouble g, GLdouble b, GLdouble a) {
  SetColour(float(r), float(g), float(b), float(a));
}
void Color4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  SetColour(r, g, b, a);
}
void TexCoord2f(GLfloat s, GLfloat t) {
  State().texCoord[0] = s, State().texCoord[1] = t;
}
void TexCoord2d(GLdouble s, GLdouble t) {
  TexCoord2f(float(s), float(t));
}
void DrawVertexSpan(const VertexSpan& span) {
  SyncViewport();
  if (!Builder().AppendSpan(span)) Unsupported("DrawVertexSpan", span.mode);
}

void NewList(GLuint list, GLenum mode) {
  if (mode != GL_COMPILE) Unsupported("glNewList", mode);
  Builder().BeginList(list);
}
void EndList() {
  Builder().EndList();
}
void CallList(GLuint list) {
  SyncViewport();
  Builder().CallList(list);
}

void MatrixMode(GLenum mode) {
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) Unsupported("glMatrixMode", mode);
  State().matrixMode = mode;
}
void ChangeMatrix(const Matrix4& by) {
  Builder().CurrentStack().MultiplyBy(by);
  Builder().MatricesChanged();
}
void LoadIdentity() {
  Builder().CurrentStack().Load(IdentityMatrix());
  Builder().MatricesChanged();
}
void LoadMatrixd(const GLdouble* m) {
  Matrix4 matrix;
  for (int i = 0; i < 16; ++i) matrix[size_t(i)] = float(m[i]);
  Builder().CurrentStack().Load(matrix);
  Builder().MatricesChanged();
}
void PushMatrix() {
  if (!Builder().CurrentStack().Push())
    Unsupported("glPushMatrix beyond the stack's depth", State().matrixMode);
}
void PopMatrix() {
  if (!Builder().CurrentStack().Pop()) Unsupported("glPopMatrix of an empty stack", State().matrixMode);
  Builder().MatricesChanged();
}
void Translated(GLdouble x, GLdouble y, GLdouble z) {
  ChangeMatrix(TranslationMatrix(x, y, z));
}
void Translatef(GLfloat x, GLfloat y, GLfloat z) {
  ChangeMatrix(TranslationMatrix(x, y, z));
}
void Rotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
  ChangeMatrix(RotationMatrix(angle, x, y, z));
}
void Scaled(GLdouble x, GLdouble y, GLdouble z) {
  ChangeMatrix(ScaleMatrix(x, y, z));
}
void LookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
            GLdouble uy, GLdouble uz) {
  ChangeMatrix(LookAtMatrix(ex, ey, ez, cx, cy, cz, ux, uy, uz));
}
void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  ChangeMatrix(PerspectiveMatrix(fovy, aspect, zNear, zFar));
}
// Only the builder's matrices can be read: a modern context keeps none, and OpenGL ES has no glGetDoublev.
void GetDoublev(GLenum name, GLdouble* values) {
  const GLenum stack = name == GL_MODELVIEW_MATRIX    ? GL_MODELVIEW
                       : name == GL_PROJECTION_MATRIX ? GL_PROJECTION
                       : name == GL_TEXTURE_MATRIX    ? GL_TEXTURE
                                                      : 0;
  if (!stack) {
    Unsupported("glGetDoublev", name);
    return;
  }
  const Matrix4& m = Builder().Stack(stack).Top();
  for (int i = 0; i < 16; ++i) values[i] = m[size_t(i)];
}

// Capabilities of the compatibility profile that the subset keeps off.
bool IsLegacyCapability(GLenum capability) {
  switch (capability) {
    case GL_LIGHTING:
    case GL_LIGHT0:
    case GL_FOG:
    case GL_ALPHA_TEST:
    case GL_COLOR_MATERIAL:
    case GL_COLOR_LOGIC_OP:
    case GL_TEXTURE_1D:
    case GL_TEXTURE_GEN_S:
    case GL_TEXTURE_GEN_T:
      return true;
    default:
      return false;
  }
}

void SetCapabilityState(GLenum capability, bool on) {
  AttributeState& s = State();
  switch (capability) {
    case GL_BLEND:
      s.blend = on;
      return;
    case GL_DEPTH_TEST:
      s.depthTest = on;
      return;
    case GL_CULL_FACE:
      s.cull = on;
      return;
    case GL_TEXTURE_2D:
      s.texturing = on;
      return;
    case GL_MULTISAMPLE:
      return;  // the offscreen target is multisampled; a modern context always uses its samples
    default:
      break;
  }
  if (IsLegacyCapability(capability)) {
    if (on) Unsupported("glEnable", capability);
    return;
  }
  if (on && capability != GL_SCISSOR_TEST && capability != GL_STENCIL_TEST &&
      capability != GL_POLYGON_OFFSET_FILL) {
    Unsupported("glEnable", capability);
    return;
  }
  Execute();
  on ? glEnable(capability) : glDisable(capability);
}
void Enable(GLenum capability) {
  SetCapabilityState(capability, true);
}
void Disable(GLenum capability) {
  SetCapabilityState(capability, false);
}
void BlendFunc(GLenum source, GLenum destination) {
  State().blendSource = source, State().blendDestination = destination;
}
void DepthFunc(GLenum function) {
  State().depthFunction = function;
}
void DepthMask(GLboolean write) {
  State().depthWrite = write;
}
void CullFace(GLenum face) {
  State().cullFace = face;
}
void LineWidth(GLfloat width) {
  State().lineWidth = width;
}
void PointSize(GLfloat size) {
  State().pointSize = size;
}
void ShadeModel(GLenum model) {
  if (model != GL_SMOOTH) Unsupported("glShadeModel", model);
}
void Hint(GLenum, GLenum) {}
void TexEnvi(GLenum target, GLenum name, GLint value) {
  if (target != GL_TEXTURE_ENV || name != GL_TEXTURE_ENV_MODE ||
      (value != GL_MODULATE && value != GL_REPLACE)) {
    Unsupported("glTexEnvi", unsigned(value));
    return;
  }
  State().environment = value;
}

void Viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  GLint* v = State().viewport;
  v[0] = x, v[1] = y, v[2] = width, v[3] = height;
}
void PushAttrib(GLbitfield mask) {
  if (mask != GL_ALL_ATTRIB_BITS) Unsupported("glPushAttrib", mask);
  if (!Builder().PushAttributes()) Unsupported("glPushAttrib beyond the stack's depth", mask);
}
void PopAttrib() {
  if (!Builder().PopAttributes()) Unsupported("glPopAttrib of an empty stack", 0);
  Builder().MatricesChanged();
}
void PixelTransferf(GLenum name, GLfloat value) {
  const bool scale =
      name == GL_RED_SCALE || name == GL_GREEN_SCALE || name == GL_BLUE_SCALE || name == GL_ALPHA_SCALE;
  if (value != (scale ? 1.0f : 0.0f)) Unsupported("glPixelTransferf", name);
}
void PixelTransferi(GLenum name, GLint value) {
  if (name != GL_MAP_COLOR || value != GL_FALSE) Unsupported("glPixelTransferi", name);
}
void ClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  float* c = State().clearColour;
  c[0] = r, c[1] = g, c[2] = b, c[3] = a;
}
void ClearDepth(GLdouble depth) {
  State().clearDepth = depth;
}
void Clear(GLbitfield mask) {
  Execute();
  SyncViewport();
  Backend().Clear(State(), mask);
}
void Flush() {
  FlushBatchedGl();
  glFlush();
}
void GetIntegerv(GLenum name, GLint* values) {
  BatchBuilder& b = Builder();
  switch (name) {
    case GL_MODELVIEW_STACK_DEPTH:
      *values = GLint(b.Stack(GL_MODELVIEW).Depth());
      return;
    case GL_PROJECTION_STACK_DEPTH:
      *values = GLint(b.Stack(GL_PROJECTION).Depth());
      return;
    case GL_TEXTURE_STACK_DEPTH:
      *values = GLint(b.Stack(GL_TEXTURE).Depth());
      return;
    case GL_MATRIX_MODE:
      *values = GLint(State().matrixMode);
      return;
    case GL_VIEWPORT:
      std::memcpy(values, State().viewport, sizeof State().viewport);
      return;
    default:
      glGetIntegerv(name, values);
  }
}
const GLubyte* GetString(GLenum name) {
  return glGetString(name);
}

void GenTextures(GLsizei n, GLuint* names) {
  glGenTextures(n, names);
}
void DeleteTextures(GLsizei n, const GLuint* names) {
  Execute();
  for (GLsizei i = 0; i < n; ++i) Backend().TextureDeleted(names[i]);
  glDeleteTextures(n, names);
}
void BindTexture(GLenum target, GLuint name) {
  if (target != GL_TEXTURE_2D) Unsupported("glBindTexture", target);
  State().boundTexture = name;
}
// Texture 0 is never drawn with (it leaves fragments untextured), and WebGL has no such texture to set.
void TexParameteri(GLenum target, GLenum name, GLint value) {
  if (!State().boundTexture) return;
  Backend().BindTexture(State().boundTexture);
  glTexParameteri(target, name, value == GL_CLAMP ? GL_CLAMP_TO_EDGE : value);
}
void TexParameterf(GLenum target, GLenum name, GLfloat value) {
  if (!State().boundTexture) return;
  Backend().BindTexture(State().boundTexture);
  glTexParameterf(target, name, value);
}
// Legacy component counts and, on OpenGL ES, the generic compressed formats become sized formats.
GLint ModernFormat(GLint internalFormat) {
  const bool es = Backend().IsEs();
  switch (internalFormat) {
    case 3:
      return GL_RGB8;
    case 4:
      return GL_RGBA8;
    case GL_COMPRESSED_RGB:
      return es ? GL_RGB8 : internalFormat;
    case GL_COMPRESSED_RGBA:
      return es ? GL_RGBA8 : internalFormat;
    default:
      return internalFormat;
  }
}
void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const void* pixels) {
  Backend().BindTexture(State().boundTexture);
  glTexImage2D(target, level, ModernFormat(internalFormat), width, height, border, format, type, pixels);
}
void PixelStorei(GLenum name, GLint value) {
  glPixelStorei(name, value);
}

void GenFramebuffers(GLsizei n, GLuint* names) {
  glGenFramebuffers(n, names);
}
void DeleteFramebuffers(GLsizei n, const GLuint* names) {
  Execute();
  glDeleteFramebuffers(n, names);
}
void BindFramebuffer(GLenum target, GLuint name) {
  Execute();
  glBindFramebuffer(target, name);
}
GLenum CheckFramebufferStatus(GLenum target) {
  return glCheckFramebufferStatus(target);
}
void FramebufferTexture2D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level) {
  glFramebufferTexture2D(target, attachment, textarget, texture, level);
}
void FramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum rtarget, GLuint renderbuffer) {
  glFramebufferRenderbuffer(target, attachment, rtarget, renderbuffer);
}
void GenRenderbuffers(GLsizei n, GLuint* names) {
  glGenRenderbuffers(n, names);
}
void DeleteRenderbuffers(GLsizei n, const GLuint* names) {
  Execute();
  glDeleteRenderbuffers(n, names);
}
void BindRenderbuffer(GLenum target, GLuint name) {
  glBindRenderbuffer(target, name);
}
void RenderbufferStorageMultisample(GLenum target, GLsizei samples, GLenum format, GLsizei width,
                                    GLsizei height) {
  glRenderbufferStorageMultisample(target, samples, format, width, height);
}
void BlitFramebuffer(GLint sx0, GLint sy0, GLint sx1, GLint sy1, GLint dx0, GLint dy0, GLint dx1, GLint dy1,
                     GLbitfield mask, GLenum filter) {
  Execute();
  glBlitFramebuffer(sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1, mask, filter);
}
// OpenGL ES reads RGBA bytes, not RGB: into client memory the rows are read as RGBA and repacked.
void ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
  Execute();
  GLint packBuffer = 0;
  glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer);
  if (!Backend().IsEs() || format != GL_RGB || type != GL_UNSIGNED_BYTE || packBuffer) {
    if (Backend().IsEs() && format == GL_RGB && packBuffer) {
      Unsupported("glReadPixels of RGB into a buffer on OpenGL ES", format);
    }
    glReadPixels(x, y, width, height, format, type, pixels);
    return;
  }
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  const size_t row = (size_t(width) * 3 + size_t(alignment) - 1) / size_t(alignment) * size_t(alignment);
  auto* out = static_cast<uint8_t*>(pixels);
  for (GLsizei r = 0; r < height; ++r) {
    for (GLsizei c = 0; c < width; ++c) {
      std::memcpy(out + size_t(r) * row + size_t(c) * 3, &rgba[(size_t(r) * size_t(width) + size_t(c)) * 4],
                  3);
    }
  }
}
void GenBuffers(GLsizei n, GLuint* names) {
  glGenBuffers(n, names);
}
void DeleteBuffers(GLsizei n, const GLuint* names) {
  glDeleteBuffers(n, names);
}
void BindBuffer(GLenum target, GLuint name) {
  glBindBuffer(target, name);
}
void BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
  glBufferData(target, size, data, usage);
}
void* MapBufferRange(GLenum target, GLintptr offset, GLsizeiptr length, GLbitfield access) {
  return glMapBufferRange(target, offset, length, access);
}
GLboolean UnmapBuffer(GLenum target) {
  return glUnmapBuffer(target);
}

// The entry points above, by the names of the list: none can be missing, and none can sit in another's slot.
const GlSubset kBatched = {
#define VELMORA_GL_BATCHED(type, name, parameters, arguments) .name = name,
    VELMORA_GL_SUBSET(VELMORA_GL_BATCHED) VELMORA_GLU_SUBSET(VELMORA_GL_BATCHED)
        VELMORA_OWN_SUBSET(VELMORA_GL_BATCHED)
#undef VELMORA_GL_BATCHED
};

}  // namespace

bool InstallBatchedGl(BatchedFlavour flavour, std::string& error) {
  const bool es = flavour != BatchedFlavour::Core33;
  const GlVersion version = ParseGlVersion(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  if (es ? !version.es || !version.AtLeast(3, 0) : version.es || !version.AtLeast(3, 3)) {
    error =
        es ? "the context is not OpenGL ES 3.0 or later" : "the context is not desktop OpenGL 3.3 or later";
    return false;
  }
  auto* renderer = new Renderer(flavour);
  if (!renderer->backend.Create(error)) {
    delete renderer;
    return false;
  }
  std::memcpy(renderer->builder.State().viewport, renderer->backend.Viewport(), sizeof(GLint[4]));
  renderer->backend.LendWindows(renderer->builder);
  gRenderer = renderer;
  gGl = kBatched;
  return true;
}

void UninstallBatchedGl() {
  if (!gRenderer) return;
  Execute();
  gGl = CompatibilityGl();
  delete gRenderer;
  gRenderer = nullptr;
}

bool BatchedGlInstalled() {
  return gRenderer != nullptr;
}

void FlushBatchedGl() {
  if (!gRenderer) return;
  SyncViewport();
  Execute();
}

std::string CurrentGlPath() {
  if (!gRenderer) return "compatibility profile";
  switch (gRenderer->backend.Flavour()) {
    case BatchedFlavour::Es30:
      return "batched (OpenGL ES 3.0)";
    case BatchedFlavour::WebGl2:
      return "batched (OpenGL ES 3.0 as WebGL 2)";
    default:
      return "batched (OpenGL 3.3 core)";
  }
}

BatchedFlavour FlavourFor(RendererChoice choice) {
  return choice == RendererChoice::BatchedEs      ? BatchedFlavour::Es30
         : choice == RendererChoice::BatchedWebGl ? BatchedFlavour::WebGl2
                                                  : BatchedFlavour::Core33;
}
