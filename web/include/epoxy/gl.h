// What libepoxy gives the desktop build, for the web build: WebGL 2 through Emscripten's OpenGL ES 3.0
// functions, and the enums and types of OpenGL 1.x that the core's table of the GL subset names. The core
// draws through the batched renderer there, so no OpenGL 1.x function is ever called. The epoxy_gl* names are
// functions here, defined before render/gl_api.h redirects the gl* names to its table, so they reach WebGL.
#pragma once

#include <GLES3/gl3.h>

#include <GL/gl.h>

// WebGL 2 is OpenGL ES 3.0, and it names no extensions the core asks about.
inline int epoxy_gl_version() {
  return 30;
}
inline bool epoxy_is_desktop_gl() {
  return false;
}
inline bool epoxy_has_gl_extension(const char*) {
  return false;
}

// Only the batched renderer's own matrices are ever read back, and depth is cleared with glClearDepthf.
inline void epoxy_glGetDoublev(GLenum, GLdouble*) {}
inline GLenum epoxy_glClientWaitSync(GLsync sync, GLbitfield flags, GLuint64 timeout) {
  return glClientWaitSync(sync, flags, timeout);
}
inline void epoxy_glClearDepth(GLdouble depth) {
  glClearDepthf(GLfloat(depth));
}

inline void epoxy_glAttachShader(GLuint program, GLuint shader) {
  glAttachShader(program, shader);
}
inline void epoxy_glBindAttribLocation(GLuint program, GLuint index, const GLchar* name) {
  glBindAttribLocation(program, index, name);
}
inline void epoxy_glBindBuffer(GLenum target, GLuint buffer) {
  glBindBuffer(target, buffer);
}
inline void epoxy_glBindFramebuffer(GLenum target, GLuint framebuffer) {
  glBindFramebuffer(target, framebuffer);
}
inline void epoxy_glBindRenderbuffer(GLenum target, GLuint renderbuffer) {
  glBindRenderbuffer(target, renderbuffer);
}
inline void epoxy_glBindTexture(GLenum target, GLuint texture) {
  glBindTexture(target, texture);
}
inline void epoxy_glBindVertexArray(GLuint array) {
  glBindVertexArray(array);
}
inline void epoxy_glBlendFunc(GLenum sfactor, GLenum dfactor) {
  glBlendFunc(sfactor, dfactor);
}
inline void epoxy_glBlitFramebuffer(GLint srcX0, GLint srcY0, GLint srcX1, GLint srcY1, GLint dstX0,
                                    GLint dstY0, GLint dstX1, GLint dstY1, GLbitfield mask, GLenum filter) {
  glBlitFramebuffer(srcX0, srcY0, srcX1, srcY1, dstX0, dstY0, dstX1, dstY1, mask, filter);
}
inline void epoxy_glBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
  glBufferData(target, size, data, usage);
}
inline GLenum epoxy_glCheckFramebufferStatus(GLenum target) {
  return glCheckFramebufferStatus(target);
}
inline void epoxy_glClear(GLbitfield mask) {
  glClear(mask);
}
inline void epoxy_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  glClearColor(red, green, blue, alpha);
}
inline void epoxy_glClearDepthf(GLfloat d) {
  glClearDepthf(d);
}
inline void epoxy_glCompileShader(GLuint shader) {
  glCompileShader(shader);
}
inline GLuint epoxy_glCreateProgram() {
  return glCreateProgram();
}
inline GLuint epoxy_glCreateShader(GLenum type) {
  return glCreateShader(type);
}
inline void epoxy_glCullFace(GLenum mode) {
  glCullFace(mode);
}
inline void epoxy_glDeleteBuffers(GLsizei n, const GLuint* buffers) {
  glDeleteBuffers(n, buffers);
}
inline void epoxy_glDeleteFramebuffers(GLsizei n, const GLuint* framebuffers) {
  glDeleteFramebuffers(n, framebuffers);
}
inline void epoxy_glDeleteProgram(GLuint program) {
  glDeleteProgram(program);
}
inline void epoxy_glDeleteRenderbuffers(GLsizei n, const GLuint* renderbuffers) {
  glDeleteRenderbuffers(n, renderbuffers);
}
inline void epoxy_glDeleteShader(GLuint shader) {
  glDeleteShader(shader);
}
inline void epoxy_glDeleteSync(GLsync sync) {
  glDeleteSync(sync);
}
inline void epoxy_glDeleteTextures(GLsizei n, const GLuint* textures) {
  glDeleteTextures(n, textures);
}
inline void epoxy_glDepthFunc(GLenum func) {
  glDepthFunc(func);
}
inline void epoxy_glDepthMask(GLboolean flag) {
  glDepthMask(flag);
}
inline void epoxy_glDisable(GLenum cap) {
  glDisable(cap);
}
inline void epoxy_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  glDrawElements(mode, count, type, indices);
}
inline void epoxy_glEnable(GLenum cap) {
  glEnable(cap);
}
inline void epoxy_glEnableVertexAttribArray(GLuint index) {
  glEnableVertexAttribArray(index);
}
inline GLsync epoxy_glFenceSync(GLenum condition, GLbitfield flags) {
  return glFenceSync(condition, flags);
}
inline void epoxy_glFlush() {
  glFlush();
}
inline void epoxy_glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbuffertarget,
                                            GLuint renderbuffer) {
  glFramebufferRenderbuffer(target, attachment, renderbuffertarget, renderbuffer);
}
inline void epoxy_glFramebufferTexture2D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture,
                                         GLint level) {
  glFramebufferTexture2D(target, attachment, textarget, texture, level);
}
inline void epoxy_glGenBuffers(GLsizei n, GLuint* buffers) {
  glGenBuffers(n, buffers);
}
inline void epoxy_glGenFramebuffers(GLsizei n, GLuint* framebuffers) {
  glGenFramebuffers(n, framebuffers);
}
inline void epoxy_glGenRenderbuffers(GLsizei n, GLuint* renderbuffers) {
  glGenRenderbuffers(n, renderbuffers);
}
inline void epoxy_glGenTextures(GLsizei n, GLuint* textures) {
  glGenTextures(n, textures);
}
inline void epoxy_glGenVertexArrays(GLsizei n, GLuint* arrays) {
  glGenVertexArrays(n, arrays);
}
inline void epoxy_glGetIntegerv(GLenum pname, GLint* data) {
  glGetIntegerv(pname, data);
}
inline void epoxy_glGetProgramiv(GLuint program, GLenum pname, GLint* params) {
  glGetProgramiv(program, pname, params);
}
inline void epoxy_glGetShaderInfoLog(GLuint shader, GLsizei bufSize, GLsizei* length, GLchar* infoLog) {
  glGetShaderInfoLog(shader, bufSize, length, infoLog);
}
inline void epoxy_glGetShaderiv(GLuint shader, GLenum pname, GLint* params) {
  glGetShaderiv(shader, pname, params);
}
inline const GLubyte* epoxy_glGetString(GLenum name) {
  return glGetString(name);
}
inline GLint epoxy_glGetUniformLocation(GLuint program, const GLchar* name) {
  return glGetUniformLocation(program, name);
}
inline void epoxy_glLinkProgram(GLuint program) {
  glLinkProgram(program);
}
inline void* epoxy_glMapBufferRange(GLenum target, GLintptr offset, GLsizeiptr length, GLbitfield access) {
  return glMapBufferRange(target, offset, length, access);
}
inline void epoxy_glPixelStorei(GLenum pname, GLint param) {
  glPixelStorei(pname, param);
}
inline void epoxy_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                               void* pixels) {
  glReadPixels(x, y, width, height, format, type, pixels);
}
inline void epoxy_glRenderbufferStorageMultisample(GLenum target, GLsizei samples, GLenum internalformat,
                                                   GLsizei width, GLsizei height) {
  glRenderbufferStorageMultisample(target, samples, internalformat, width, height);
}
inline void epoxy_glShaderSource(GLuint shader, GLsizei count, const GLchar* const* string,
                                 const GLint* length) {
  glShaderSource(shader, count, string, length);
}
inline void epoxy_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width,
                               GLsizei height, GLint border, GLenum format, GLenum type, const void* pixels) {
  glTexImage2D(target, level, internalformat, width, height, border, format, type, pixels);
}
inline void epoxy_glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
  glTexParameterf(target, pname, param);
}
inline void epoxy_glTexParameteri(GLenum target, GLenum pname, GLint param) {
  glTexParameteri(target, pname, param);
}
inline void epoxy_glUniform1i(GLint location, GLint v0) {
  glUniform1i(location, v0);
}
inline GLboolean epoxy_glUnmapBuffer(GLenum target) {
  return glUnmapBuffer(target);
}
inline void epoxy_glUseProgram(GLuint program) {
  glUseProgram(program);
}
inline void epoxy_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                        GLsizei stride, const void* pointer) {
  glVertexAttribPointer(index, size, type, normalized, stride, pointer);
}
inline void epoxy_glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  glViewport(x, y, width, height);
}
