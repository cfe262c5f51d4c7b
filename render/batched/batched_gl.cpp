#include "render/batched/batched_gl.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "render/batched/batch_builder.h"

// The real entry points are called by epoxy's own names: the gl* names are the table's macros.
namespace {

// What the context holds now, so that a draw only sets what differs (-1: not known yet).
struct RealState {
  int blend = -1, depthTest = -1, depthWrite = -1, cull = -1, environment = -1;
  GLenum blendSource = 0, blendDestination = 0, depthFunction = 0, cullFace = 0;
  GLuint texture = 0;
  GLint viewport[4] = {0, 0, 0, 0};
};

// A buffer written front to back with unsynchronised maps, in two halves: entering a half waits (rarely
// long) for a fence set when that half was last left, so a write never lands on data a pending draw reads,
// and the storage is never given up, so the driver need not find fresh memory every frame.
struct StreamBuffer {
  GLenum target = GL_ARRAY_BUFFER;
  GLuint name = 0;
  size_t size = 0, offset = 0;
  GLsync fences[2] = {nullptr, nullptr};
};

bool IsEs(BatchedFlavour flavour) {
  return flavour != BatchedFlavour::Core33;
}

struct Renderer {
  BatchedFlavour flavour = BatchedFlavour::Core33;
  BatchBuilder builder;
  GLuint programs[3] = {0, 0, 0};  // by environment: no texture, GL_MODULATE, GL_REPLACE
  GLuint vertexArray = 0;
  StreamBuffer vertices{GL_ARRAY_BUFFER}, indices{GL_ELEMENT_ARRAY_BUFFER};
  RealState real;
};

Renderer* gRenderer = nullptr;

BatchBuilder& Builder() {
  return gRenderer->builder;
}

AttributeState& State() {
  return gRenderer->builder.State();
}

// A call the subset does not cover: said once for each entry point and value.
void Unsupported(const char* entryPoint, unsigned value) {
  static std::set<std::string> said;
  const std::string what = std::string(entryPoint) + " 0x" + std::to_string(value);
  if (!said.insert(what).second) return;
  std::fprintf(stderr, "velmora: the batched renderer does not do %s(0x%X); it is outside the GL subset\n",
               entryPoint, value);
}

// ---- the GL side: programs, uploads, draws ----------------------------------------------------------------

const char* kVertexShader = R"(
in vec4 position;
in vec4 colour;
in vec2 texCoord;
out vec4 fragmentColour;
out vec2 fragmentTexCoord;
void main() {
  gl_Position = position;
  fragmentColour = colour;
  fragmentTexCoord = texCoord;
}
)";

// One program for each texture environment, so that no fragment pays for a branch: the colour alone, the
// colour times the texture (GL_MODULATE), the texture alone (GL_REPLACE).
const char* kFragmentShaders[3] = {
    "in vec4 fragmentColour;\nin vec2 fragmentTexCoord;\nout vec4 colourOut;\n"
    "void main() { colourOut = fragmentColour; }\n",
    "uniform sampler2D picture;\nin vec4 fragmentColour;\nin vec2 fragmentTexCoord;\nout vec4 colourOut;\n"
    "void main() { colourOut = fragmentColour * texture(picture, fragmentTexCoord); }\n",
    "uniform sampler2D picture;\nin vec4 fragmentColour;\nin vec2 fragmentTexCoord;\nout vec4 colourOut;\n"
    "void main() { colourOut = texture(picture, fragmentTexCoord); }\n",
};

GLuint Compile(GLenum stage, const std::string& source, std::string& error) {
  const GLuint shader = epoxy_glCreateShader(stage);
  const char* text = source.c_str();
  epoxy_glShaderSource(shader, 1, &text, nullptr);
  epoxy_glCompileShader(shader);
  GLint compiled = 0;
  epoxy_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled) {
    char log[1024] = {};
    epoxy_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = std::string("the batched renderer's shader does not compile: ") + log;
    epoxy_glDeleteShader(shader);
    return 0;
  }
  return shader;
}

GLuint Link(const std::string& header, const char* fragmentSource, std::string& error) {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, header + kVertexShader, error);
  const GLuint fragment = vertex ? Compile(GL_FRAGMENT_SHADER, header + fragmentSource, error) : 0;
  if (!fragment) {
    if (vertex) epoxy_glDeleteShader(vertex);
    return 0;
  }
  const GLuint program = epoxy_glCreateProgram();
  epoxy_glAttachShader(program, vertex);
  epoxy_glAttachShader(program, fragment);
  epoxy_glBindAttribLocation(program, 0, "position");
  epoxy_glBindAttribLocation(program, 1, "colour");
  epoxy_glBindAttribLocation(program, 2, "texCoord");
  epoxy_glLinkProgram(program);
  epoxy_glDeleteShader(vertex);
  epoxy_glDeleteShader(fragment);
  GLint linked = 0;
  epoxy_glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    error = "the batched renderer's program does not link";
    epoxy_glDeleteProgram(program);
    return 0;
  }
  const GLint picture = epoxy_glGetUniformLocation(program, "picture");
  if (picture >= 0) {
    epoxy_glUseProgram(program);
    epoxy_glUniform1i(picture, 0);
  }
  return program;
}

bool MakeProgram(Renderer& r, std::string& error) {
  const std::string header =
      IsEs(r.flavour) ? "#version 300 es\nprecision highp float;\n" : "#version 330 core\n";
  for (int environment = 0; environment < 3; ++environment) {
    r.programs[environment] = Link(header, kFragmentShaders[environment], error);
    if (!r.programs[environment]) return false;
  }
  epoxy_glGenVertexArrays(1, &r.vertexArray);
  epoxy_glBindVertexArray(r.vertexArray);
  epoxy_glGenBuffers(1, &r.vertices.name);
  epoxy_glGenBuffers(1, &r.indices.name);
  epoxy_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices.name);  // held by the vertex array
  for (GLuint attribute = 0; attribute < 3; ++attribute) epoxy_glEnableVertexAttribArray(attribute);
  return true;
}

void SetCapability(GLenum capability, bool on) {
  on ? epoxy_glEnable(capability) : epoxy_glDisable(capability);
}

// Sets a switch of the context when it differs from what it holds.
void Switch(int& held, GLenum capability, bool on) {
  if (held == int(on)) return;
  SetCapability(capability, on);
  held = on;
}

void BindRealTexture(GLuint texture) {
  if (gRenderer->real.texture == texture) return;
  epoxy_glBindTexture(GL_TEXTURE_2D, texture);
  gRenderer->real.texture = texture;
}

void SetRealDepthWrite(bool write) {
  int& held = gRenderer->real.depthWrite;
  if (held == int(write)) return;
  epoxy_glDepthMask(write);
  held = write;
}

void Apply(const DrawState& s) {
  RealState& real = gRenderer->real;
  Switch(real.blend, GL_BLEND, s.blend);
  if (s.blend && (s.blendSource != real.blendSource || s.blendDestination != real.blendDestination)) {
    epoxy_glBlendFunc(s.blendSource, s.blendDestination);
    real.blendSource = s.blendSource, real.blendDestination = s.blendDestination;
  }
  Switch(real.depthTest, GL_DEPTH_TEST, s.depthTest);
  if (s.depthTest) {
    if (s.depthFunction != real.depthFunction) epoxy_glDepthFunc(real.depthFunction = s.depthFunction);
    SetRealDepthWrite(s.depthWrite);
  }
  Switch(real.cull, GL_CULL_FACE, s.cull);
  if (s.cull && s.cullFace != real.cullFace) epoxy_glCullFace(real.cullFace = s.cullFace);
  if (s.texture) BindRealTexture(s.texture);
  const int environment = !s.texture ? 0 : s.environment == GL_REPLACE ? 2 : 1;
  if (environment != real.environment)
    epoxy_glUseProgram(gRenderer->programs[real.environment = environment]);
}

void WaitAndForget(GLsync& fence) {
  if (!fence) return;
  epoxy_glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, GLuint64(10) * 1000 * 1000 * 1000);
  epoxy_glDeleteSync(fence);
  fence = nullptr;
}

// Copies `bytes` into the stream at a place no pending draw reads; returns where.
size_t Upload(StreamBuffer& stream, const void* data, size_t bytes) {
  if (gRenderer->flavour == BatchedFlavour::WebGl2) {
    epoxy_glBufferData(stream.target, GLsizeiptr(bytes), data, GL_STREAM_DRAW);
    return 0;
  }
  constexpr size_t kLeast = size_t(32) << 20;
  if (2 * bytes > stream.size) {  // a half must hold the largest upload
    for (GLsync& fence : stream.fences) WaitAndForget(fence);
    stream.size = std::max(4 * bytes, kLeast);
    epoxy_glBufferData(stream.target, GLsizeiptr(stream.size), nullptr, GL_STREAM_DRAW);
    stream.offset = 0;
  }
  const size_t half = stream.size / 2;
  const size_t current = stream.offset / half;
  if (stream.offset + bytes > (current + 1) * half) {
    const size_t next = (current + 1) % 2;
    stream.fences[current] = epoxy_glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    WaitAndForget(stream.fences[next]);
    stream.offset = next * half;
  }
  void* place =
      epoxy_glMapBufferRange(stream.target, GLintptr(stream.offset), GLsizeiptr(bytes),
                             GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
  if (place) {
    std::memcpy(place, data, bytes);
    epoxy_glUnmapBuffer(stream.target);
  }
  const size_t at = stream.offset;
  stream.offset = (stream.offset + bytes + 63) / 64 * 64;
  return at;
}

// Runs every draw recorded since the last time, with one upload of their vertices and indices.
void Execute() {
  Renderer& r = *gRenderer;
  BatchBuilder& builder = r.builder;
  if (builder.Commands().empty()) {
    builder.Clear();
    return;
  }
  r.real.environment = -1;  // the program is chosen again for the first draw
  epoxy_glBindVertexArray(r.vertexArray);
  epoxy_glBindBuffer(GL_ARRAY_BUFFER, r.vertices.name);
  const auto& vertices = builder.Vertices();
  const size_t base = Upload(r.vertices, vertices.data(), vertices.size() * sizeof(BatchVertex));
  const auto& indices = builder.Indices();
  const size_t first = Upload(r.indices, indices.data(), indices.size() * sizeof(uint32_t));
  const GLsizei stride = sizeof(BatchVertex);
  const auto at = [&](size_t field) { return reinterpret_cast<const void*>(base + field); };
  epoxy_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(BatchVertex, x)));
  epoxy_glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(BatchVertex, r)));
  epoxy_glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(BatchVertex, s)));
  for (const DrawCommand& command : builder.Commands()) {
    Apply(command.state);
    epoxy_glDrawElements(
        command.state.primitive, command.indexCount, GL_UNSIGNED_INT,
        reinterpret_cast<const void*>(first + size_t(command.firstIndex) * sizeof(uint32_t)));
  }
  builder.Clear();
}

// ---- the entry points
// --------------------------------------------------------------------------------------

void Begin(GLenum mode) {
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

void NewList(GLuint list, GLenum mode) {
  if (mode != GL_COMPILE) Unsupported("glNewList", mode);
  Builder().BeginList(list);
}
void EndList() {
  Builder().EndList();
}
void CallList(GLuint list) {
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
void GetDoublev(GLenum name, GLdouble* values) {
  const GLenum stack = name == GL_MODELVIEW_MATRIX    ? GL_MODELVIEW
                       : name == GL_PROJECTION_MATRIX ? GL_PROJECTION
                       : name == GL_TEXTURE_MATRIX    ? GL_TEXTURE
                                                      : 0;
  if (!stack) return epoxy_glGetDoublev(name, values);
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
  SetCapability(capability, on);
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
// The viewport of the draws recorded so far must hold when they run: a new one waits for them.
void SyncViewport() {
  GLint* held = gRenderer->real.viewport;
  const GLint* v = State().viewport;
  if (std::memcmp(v, held, sizeof gRenderer->real.viewport) == 0) return;
  Execute();
  epoxy_glViewport(v[0], v[1], v[2], v[3]);
  std::memcpy(held, v, sizeof gRenderer->real.viewport);
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
  const AttributeState& s = State();
  epoxy_glClearColor(s.clearColour[0], s.clearColour[1], s.clearColour[2], s.clearColour[3]);
  if (IsEs(gRenderer->flavour)) {
    epoxy_glClearDepthf(float(s.clearDepth));
  } else {
    epoxy_glClearDepth(s.clearDepth);
  }
  SetRealDepthWrite(s.depthWrite);  // a depth clear honours the depth mask
  epoxy_glClear(mask);
}
void Flush() {
  FlushBatchedGl();
  epoxy_glFlush();
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
      epoxy_glGetIntegerv(name, values);
  }
}
const GLubyte* GetString(GLenum name) {
  return epoxy_glGetString(name);
}

void GenTextures(GLsizei n, GLuint* names) {
  epoxy_glGenTextures(n, names);
}
void DeleteTextures(GLsizei n, const GLuint* names) {
  Execute();
  for (GLsizei i = 0; i < n; ++i) {
    if (names[i] == gRenderer->real.texture) gRenderer->real.texture = 0;
  }
  epoxy_glDeleteTextures(n, names);
}
void BindTexture(GLenum target, GLuint name) {
  if (target != GL_TEXTURE_2D) Unsupported("glBindTexture", target);
  State().boundTexture = name;
}
// Texture 0 is never drawn with (it leaves fragments untextured), and WebGL has no such texture to set.
void TexParameteri(GLenum target, GLenum name, GLint value) {
  if (!State().boundTexture) return;
  BindRealTexture(State().boundTexture);
  epoxy_glTexParameteri(target, name, value == GL_CLAMP ? GL_CLAMP_TO_EDGE : value);
}
void TexParameterf(GLenum target, GLenum name, GLfloat value) {
  if (!State().boundTexture) return;
  BindRealTexture(State().boundTexture);
  epoxy_glTexParameterf(target, name, value);
}
// Legacy component counts and, on OpenGL ES, the generic compressed formats become sized formats.
GLint ModernFormat(GLint internalFormat) {
  const bool es = IsEs(gRenderer->flavour);
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
  BindRealTexture(State().boundTexture);
  epoxy_glTexImage2D(target, level, ModernFormat(internalFormat), width, height, border, format, type,
                     pixels);
}
void PixelStorei(GLenum name, GLint value) {
  epoxy_glPixelStorei(name, value);
}

void GenFramebuffers(GLsizei n, GLuint* names) {
  epoxy_glGenFramebuffers(n, names);
}
void DeleteFramebuffers(GLsizei n, const GLuint* names) {
  Execute();
  epoxy_glDeleteFramebuffers(n, names);
}
void BindFramebuffer(GLenum target, GLuint name) {
  Execute();
  epoxy_glBindFramebuffer(target, name);
}
GLenum CheckFramebufferStatus(GLenum target) {
  return epoxy_glCheckFramebufferStatus(target);
}
void FramebufferTexture2D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level) {
  epoxy_glFramebufferTexture2D(target, attachment, textarget, texture, level);
}
void FramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum rtarget, GLuint renderbuffer) {
  epoxy_glFramebufferRenderbuffer(target, attachment, rtarget, renderbuffer);
}
void GenRenderbuffers(GLsizei n, GLuint* names) {
  epoxy_glGenRenderbuffers(n, names);
}
void DeleteRenderbuffers(GLsizei n, const GLuint* names) {
  Execute();
  epoxy_glDeleteRenderbuffers(n, names);
}
void BindRenderbuffer(GLenum target, GLuint name) {
  epoxy_glBindRenderbuffer(target, name);
}
void RenderbufferStorageMultisample(GLenum target, GLsizei samples, GLenum format, GLsizei width,
                                    GLsizei height) {
  epoxy_glRenderbufferStorageMultisample(target, samples, format, width, height);
}
void BlitFramebuffer(GLint sx0, GLint sy0, GLint sx1, GLint sy1, GLint dx0, GLint dy0, GLint dx1, GLint dy1,
                     GLbitfield mask, GLenum filter) {
  Execute();
  epoxy_glBlitFramebuffer(sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1, mask, filter);
}
// OpenGL ES reads RGBA bytes, not RGB: into client memory the rows are read as RGBA and repacked.
void ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels) {
  Execute();
  GLint packBuffer = 0;
  epoxy_glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer);
  if (!IsEs(gRenderer->flavour) || format != GL_RGB || type != GL_UNSIGNED_BYTE || packBuffer) {
    if (IsEs(gRenderer->flavour) && format == GL_RGB && packBuffer) {
      Unsupported("glReadPixels of RGB into a buffer on OpenGL ES", format);
    }
    epoxy_glReadPixels(x, y, width, height, format, type, pixels);
    return;
  }
  GLint alignment = 4;
  epoxy_glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
  epoxy_glPixelStorei(GL_PACK_ALIGNMENT, 4);
  epoxy_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  epoxy_glPixelStorei(GL_PACK_ALIGNMENT, alignment);
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
  epoxy_glGenBuffers(n, names);
}
void DeleteBuffers(GLsizei n, const GLuint* names) {
  epoxy_glDeleteBuffers(n, names);
}
void BindBuffer(GLenum target, GLuint name) {
  epoxy_glBindBuffer(target, name);
}
void BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
  epoxy_glBufferData(target, size, data, usage);
}
void* MapBufferRange(GLenum target, GLintptr offset, GLsizeiptr length, GLbitfield access) {
  return epoxy_glMapBufferRange(target, offset, length, access);
}
GLboolean UnmapBuffer(GLenum target) {
  return epoxy_glUnmapBuffer(target);
}

// Every draw needs its viewport, so the entry points that record draws sync it first.
void BeginWithViewport(GLenum mode) {
  SyncViewport();
  Begin(mode);
}
void CallListWithViewport(GLuint list) {
  SyncViewport();
  CallList(list);
}

const GlSubset kBatched = {
    BeginWithViewport,
    End,
    Vertex2d,
    Vertex2f,
    Vertex3d,
    Vertex3f,
    Color3d,
    Color3f,
    Color4d,
    Color4f,
    TexCoord2d,
    TexCoord2f,
    NewList,
    EndList,
    CallListWithViewport,
    MatrixMode,
    LoadIdentity,
    LoadMatrixd,
    PushMatrix,
    PopMatrix,
    Translated,
    Translatef,
    Rotated,
    Scaled,
    GetDoublev,
    Enable,
    Disable,
    BlendFunc,
    DepthFunc,
    DepthMask,
    CullFace,
    LineWidth,
    PointSize,
    ShadeModel,
    Hint,
    TexEnvi,
    PushAttrib,
    PopAttrib,
    PixelTransferf,
    PixelTransferi,
    Viewport,
    ClearColor,
    ClearDepth,
    Clear,
    Flush,
    GetIntegerv,
    GetString,
    GenTextures,
    DeleteTextures,
    BindTexture,
    TexParameteri,
    TexParameterf,
    TexImage2D,
    PixelStorei,
    GenFramebuffers,
    DeleteFramebuffers,
    BindFramebuffer,
    CheckFramebufferStatus,
    FramebufferTexture2D,
    FramebufferRenderbuffer,
    GenRenderbuffers,
    DeleteRenderbuffers,
    BindRenderbuffer,
    RenderbufferStorageMultisample,
    BlitFramebuffer,
    ReadPixels,
    GenBuffers,
    DeleteBuffers,
    BindBuffer,
    BufferData,
    MapBufferRange,
    UnmapBuffer,
    LookAt,
    Perspective,
};

}  // namespace

bool InstallBatchedGl(BatchedFlavour flavour, std::string& error) {
  const bool es = !epoxy_is_desktop_gl();
  const int version = epoxy_gl_version();
  if (IsEs(flavour) ? !es || version < 30 : es || version < 33) {
    error = IsEs(flavour) ? "the context is not OpenGL ES 3.0 or later"
                          : "the context is not desktop OpenGL 3.3 or later";
    return false;
  }
  auto* renderer = new Renderer;
  renderer->flavour = flavour;
  if (!MakeProgram(*renderer, error)) {
    delete renderer;
    return false;
  }
  GLint viewport[4] = {0, 0, 0, 0};
  epoxy_glGetIntegerv(GL_VIEWPORT, viewport);
  std::memcpy(renderer->real.viewport, viewport, sizeof viewport);
  std::memcpy(renderer->builder.State().viewport, viewport, sizeof viewport);
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
  switch (gRenderer->flavour) {
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
