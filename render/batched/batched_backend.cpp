#include "render/batched/batched_backend.h"

#include <algorithm>
#include <cstring>

namespace {

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
  const GLuint shader = glCreateShader(stage);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint compiled = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled) {
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = std::string("the batched renderer's shader does not compile: ") + log;
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

GLuint Link(const std::string& header, const char* fragmentSource, std::string& error) {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, header + kVertexShader, error);
  const GLuint fragment = vertex ? Compile(GL_FRAGMENT_SHADER, header + fragmentSource, error) : 0;
  if (!fragment) {
    if (vertex) glDeleteShader(vertex);
    return 0;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glBindAttribLocation(program, 0, "position");
  glBindAttribLocation(program, 1, "colour");
  glBindAttribLocation(program, 2, "texCoord");
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    error = "the batched renderer's program does not link";
    glDeleteProgram(program);
    return 0;
  }
  const GLint picture = glGetUniformLocation(program, "picture");
  if (picture >= 0) {
    glUseProgram(program);
    glUniform1i(picture, 0);
  }
  return program;
}

// Sets a switch of the context when it differs from what it holds.
void Switch(int& held, GLenum capability, bool on) {
  if (held == int(on)) return;
  on ? glEnable(capability) : glDisable(capability);
  held = on;
}

// Where the next upload after `bytes` at `at` starts: on a 64-byte boundary.
size_t AlignedEnd(size_t at, size_t bytes) {
  return (at + bytes + 63) / 64 * 64;
}

void WaitAndForget(GLsync& fence) {
  if (!fence) return;
  glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, GLuint64(10) * 1000 * 1000 * 1000);
  glDeleteSync(fence);
  fence = nullptr;
}

}  // namespace

bool BatchedBackend::Create(std::string& error) {
  const std::string header = IsEs() ? "#version 300 es\nprecision highp float;\n" : "#version 330 core\n";
  for (int environment = 0; environment < 3; ++environment) {
    programs_[environment] = Link(header, kFragmentShaders[environment], error);
    if (!programs_[environment]) return false;
  }
  glGenVertexArrays(1, &vertexArray_);
  glBindVertexArray(vertexArray_);
  glGenBuffers(1, &vertices_.name);
  glGenBuffers(1, &indices_.name);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices_.name);  // held by the vertex array
  for (GLuint attribute = 0; attribute < 3; ++attribute) glEnableVertexAttribArray(attribute);
  glGetIntegerv(GL_VIEWPORT, real_.viewport);
  return true;
}

void BatchedBackend::BindTexture(GLuint texture) {
  if (real_.texture == texture) return;
  glBindTexture(GL_TEXTURE_2D, texture);
  real_.texture = texture;
}

void BatchedBackend::TextureDeleted(GLuint texture) {
  if (real_.texture == texture) real_.texture = 0;
}

void BatchedBackend::SetDepthWrite(bool write) {
  if (real_.depthWrite == int(write)) return;
  glDepthMask(write);
  real_.depthWrite = write;
}

void BatchedBackend::SetViewport(const GLint viewport[4]) {
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
  std::memcpy(real_.viewport, viewport, sizeof real_.viewport);
}

void BatchedBackend::Clear(const AttributeState& state, GLbitfield mask) {
  const float* colour = state.clearColour;
  glClearColor(colour[0], colour[1], colour[2], colour[3]);
  if (IsEs()) {
    glClearDepthf(float(state.clearDepth));
  } else {
    glClearDepth(state.clearDepth);
  }
  SetDepthWrite(state.depthWrite);  // a depth clear honours the depth mask
  glClear(mask);
}

void BatchedBackend::Apply(const DrawState& s) {
  Switch(real_.blend, GL_BLEND, s.blend);
  if (s.blend && (s.blendSource != real_.blendSource || s.blendDestination != real_.blendDestination)) {
    glBlendFunc(s.blendSource, s.blendDestination);
    real_.blendSource = s.blendSource, real_.blendDestination = s.blendDestination;
  }
  Switch(real_.depthTest, GL_DEPTH_TEST, s.depthTest);
  if (s.depthTest) {
    if (s.depthFunction != real_.depthFunction) glDepthFunc(real_.depthFunction = s.depthFunction);
    SetDepthWrite(s.depthWrite);
  }
  Switch(real_.cull, GL_CULL_FACE, s.cull);
  if (s.cull && s.cullFace != real_.cullFace) glCullFace(real_.cullFace = s.cullFace);
  if (s.texture) BindTexture(s.texture);
  const int environment = !s.texture ? 0 : s.environment == GL_REPLACE ? 2 : 1;
  if (environment != real_.environment) glUseProgram(programs_[real_.environment = environment]);
}

size_t BatchedBackend::Reserve(StreamBuffer& stream, size_t bytes) {
  constexpr size_t kLeast = size_t(32) << 20;
  if (2 * bytes > stream.size) {  // a half must hold the largest upload
    for (GLsync& fence : stream.fences) WaitAndForget(fence);
    stream.size = std::max(4 * bytes, kLeast);
    glBufferData(stream.target, GLsizeiptr(stream.size), nullptr, GL_STREAM_DRAW);
    stream.offset = 0;
  }
  const size_t half = stream.size / 2;
  const size_t current = stream.offset / half;
  if (stream.offset + bytes > (current + 1) * half) {
    const size_t next = (current + 1) % 2;
    stream.fences[current] = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    WaitAndForget(stream.fences[next]);
    stream.offset = next * half;
  }
  return stream.offset;
}

size_t BatchedBackend::Upload(StreamBuffer& stream, const void* data, size_t bytes) {
  if (flavour_ == BatchedFlavour::WebGl2) {
    glBufferData(stream.target, GLsizeiptr(bytes), data, GL_STREAM_DRAW);
    return 0;
  }
  const size_t at = Reserve(stream, bytes);
  void* place = glMapBufferRange(stream.target, GLintptr(at), GLsizeiptr(bytes),
                                 GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
  if (place) {
    std::memcpy(place, data, bytes);
    glUnmapBuffer(stream.target);
  }
  stream.offset = AlignedEnd(at, bytes);
  return at;
}

template <typename T>
std::span<T> BatchedBackend::OpenWindow(StreamBuffer& stream) {
  if (flavour_ == BatchedFlavour::WebGl2) return {};
  constexpr size_t kSmallestWindow = size_t(1) << 20;
  glBindVertexArray(vertexArray_);  // which holds the index buffer's binding
  glBindBuffer(stream.target, stream.name);
  const size_t at = Reserve(stream, std::max(stream.largestBatch, kSmallestWindow));
  const size_t half = stream.size / 2, end = (at / half + 1) * half;
  void* place = glMapBufferRange(
      stream.target, GLintptr(at), GLsizeiptr(end - at),
      GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_FLUSH_EXPLICIT_BIT);
  if (!place) return {};
  stream.windowOpen = true;
  stream.windowOffset = at;
  return {static_cast<T*>(place), (end - at) / sizeof(T)};
}

template <typename T>
void BatchedBackend::CloseWindow(StreamBuffer& stream, const StreamSink<T>& written) {
  const size_t bytes = written.size() * sizeof(T);
  stream.largestBatch = std::max(stream.largestBatch, bytes);
  if (!stream.windowOpen) return;
  glBindBuffer(stream.target, stream.name);
  if (written.InWindow() && bytes) glFlushMappedBufferRange(stream.target, 0, GLsizeiptr(bytes));
  glUnmapBuffer(stream.target);
  stream.windowOpen = false;
  if (written.InWindow()) stream.offset = AlignedEnd(stream.windowOffset, bytes);
}

template <typename T>
size_t BatchedBackend::Placed(StreamBuffer& stream, const StreamSink<T>& written) {
  glBindBuffer(stream.target, stream.name);
  return written.InWindow() ? stream.windowOffset
                            : Upload(stream, written.data(), written.size() * sizeof(T));
}

void BatchedBackend::LendWindows(BatchBuilder& builder) {
  builder.SetWindows([this] { return OpenWindow<BatchVertex>(vertices_); },
                     [this] { return OpenWindow<uint32_t>(indices_); });
}

void BatchedBackend::Execute(BatchBuilder& builder) {
  const auto& vertices = builder.Vertices();
  const auto& indices = builder.Indices();
  glBindVertexArray(vertexArray_);
  CloseWindow(vertices_, vertices);
  CloseWindow(indices_, indices);
  if (builder.Commands().empty()) {
    builder.Clear();
    return;
  }
  real_.environment = -1;  // the program is chosen again for the first draw
  const size_t first = Placed(indices_, indices);
  const size_t base = Placed(vertices_, vertices);  // leaves the vertex buffer bound for the pointers
  const GLsizei stride = sizeof(BatchVertex);
  const auto at = [&](size_t field) { return reinterpret_cast<const void*>(base + field); };
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(BatchVertex, x)));
  glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(BatchVertex, r)));
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(BatchVertex, s)));
  for (const DrawCommand& command : builder.Commands()) {
    Apply(command.state);
    glDrawElements(command.state.primitive, command.indexCount, GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(first + size_t(command.firstIndex) * sizeof(uint32_t)));
  }
  builder.Clear();
}
