// The core's GL 1.x subset, listed once: every entry point the effects, scenes and the rest of the core may
// call, as an X-macro. Everything else that must match the list is made from it: the table's struct and the
// compatibility table (render/gl_table.h, render/gl_api.cpp), the batched renderer's table
// (render/batched/batched_gl.cpp), and the redirections of the core's names to the table, which the build
// writes from this file (render/CMakeLists.txt). Includes nothing; whoever expands it brings the GL types.
#pragma once

// X(return type, name without "gl", parameters, arguments)
#define VELMORA_GL_SUBSET(X)                                                                                \
  /* immediate mode */                                                                                      \
  X(void, Begin, (GLenum mode), (mode))                                                                     \
  X(void, End, (), ())                                                                                      \
  X(void, Vertex2d, (GLdouble x, GLdouble y), (x, y))                                                       \
  X(void, Vertex2f, (GLfloat x, GLfloat y), (x, y))                                                         \
  X(void, Vertex3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))                                        \
  X(void, Vertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                                           \
  X(void, Color3d, (GLdouble r, GLdouble g, GLdouble b), (r, g, b))                                         \
  X(void, Color3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))                                            \
  X(void, Color4d, (GLdouble r, GLdouble g, GLdouble b, GLdouble a), (r, g, b, a))                          \
  X(void, Color4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))                              \
  X(void, TexCoord2d, (GLdouble s, GLdouble t), (s, t))                                                     \
  X(void, TexCoord2f, (GLfloat s, GLfloat t), (s, t))                                                       \
  /* display lists */                                                                                       \
  X(void, NewList, (GLuint list, GLenum mode), (list, mode))                                                \
  X(void, EndList, (), ())                                                                                  \
  X(void, CallList, (GLuint list), (list))                                                                  \
  /* matrices */                                                                                            \
  X(void, MatrixMode, (GLenum mode), (mode))                                                                \
  X(void, LoadIdentity, (), ())                                                                             \
  X(void, LoadMatrixd, (const GLdouble* m), (m))                                                            \
  X(void, PushMatrix, (), ())                                                                               \
  X(void, PopMatrix, (), ())                                                                                \
  X(void, Translated, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))                                      \
  X(void, Translatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                                         \
  X(void, Rotated, (GLdouble angle, GLdouble x, GLdouble y, GLdouble z), (angle, x, y, z))                  \
  X(void, Scaled, (GLdouble x, GLdouble y, GLdouble z), (x, y, z))                                          \
  X(void, GetDoublev, (GLenum name, GLdouble * values), (name, values))                                     \
  /* state */                                                                                               \
  X(void, Enable, (GLenum capability), (capability))                                                        \
  X(void, Disable, (GLenum capability), (capability))                                                       \
  X(void, BlendFunc, (GLenum source, GLenum destination), (source, destination))                            \
  X(void, DepthFunc, (GLenum function), (function))                                                         \
  X(void, DepthMask, (GLboolean write), (write))                                                            \
  X(void, CullFace, (GLenum face), (face))                                                                  \
  X(void, LineWidth, (GLfloat width), (width))                                                              \
  X(void, PointSize, (GLfloat size), (size))                                                                \
  X(void, ShadeModel, (GLenum model), (model))                                                              \
  X(void, Hint, (GLenum target, GLenum mode), (target, mode))                                               \
  X(void, TexEnvi, (GLenum target, GLenum name, GLint value), (target, name, value))                        \
  X(void, PushAttrib, (GLbitfield mask), (mask))                                                            \
  X(void, PopAttrib, (), ())                                                                                \
  X(void, PixelTransferf, (GLenum name, GLfloat value), (name, value))                                      \
  X(void, PixelTransferi, (GLenum name, GLint value), (name, value))                                        \
  X(void, Viewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))               \
  X(void, ClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))                           \
  X(void, ClearDepth, (GLdouble depth), (depth))                                                            \
  X(void, Clear, (GLbitfield mask), (mask))                                                                 \
  X(void, Flush, (), ())                                                                                    \
  X(void, GetIntegerv, (GLenum name, GLint * values), (name, values))                                       \
  X(const GLubyte*, GetString, (GLenum name), (name))                                                       \
  /* textures */                                                                                            \
  X(void, GenTextures, (GLsizei n, GLuint * names), (n, names))                                             \
  X(void, DeleteTextures, (GLsizei n, const GLuint* names), (n, names))                                     \
  X(void, BindTexture, (GLenum target, GLuint name), (target, name))                                        \
  X(void, TexParameteri, (GLenum target, GLenum name, GLint value), (target, name, value))                  \
  X(void, TexParameterf, (GLenum target, GLenum name, GLfloat value), (target, name, value))                \
  X(void, TexImage2D,                                                                                       \
    (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,         \
     GLenum format, GLenum type, const void* pixels),                                                       \
    (target, level, internalFormat, width, height, border, format, type, pixels))                           \
  X(void, PixelStorei, (GLenum name, GLint value), (name, value))                                           \
  /* framebuffers, buffers and read-back */                                                                 \
  X(void, GenFramebuffers, (GLsizei n, GLuint * names), (n, names))                                         \
  X(void, DeleteFramebuffers, (GLsizei n, const GLuint* names), (n, names))                                 \
  X(void, BindFramebuffer, (GLenum target, GLuint name), (target, name))                                    \
  X(GLenum, CheckFramebufferStatus, (GLenum target), (target))                                              \
  X(void, FramebufferTexture2D,                                                                             \
    (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level),                      \
    (target, attachment, textarget, texture, level))                                                        \
  X(void, FramebufferRenderbuffer, (GLenum target, GLenum attachment, GLenum rtarget, GLuint renderbuffer), \
    (target, attachment, rtarget, renderbuffer))                                                            \
  X(void, GenRenderbuffers, (GLsizei n, GLuint * names), (n, names))                                        \
  X(void, DeleteRenderbuffers, (GLsizei n, const GLuint* names), (n, names))                                \
  X(void, BindRenderbuffer, (GLenum target, GLuint name), (target, name))                                   \
  X(void, RenderbufferStorageMultisample,                                                                   \
    (GLenum target, GLsizei samples, GLenum format, GLsizei width, GLsizei height),                         \
    (target, samples, format, width, height))                                                               \
  X(void, BlitFramebuffer,                                                                                  \
    (GLint sx0, GLint sy0, GLint sx1, GLint sy1, GLint dx0, GLint dy0, GLint dx1, GLint dy1,                \
     GLbitfield mask, GLenum filter),                                                                       \
    (sx0, sy0, sx1, sy1, dx0, dy0, dx1, dy1, mask, filter))                                                 \
  X(void, ReadPixels,                                                                                       \
    (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels),            \
    (x, y, width, height, format, type, pixels))                                                            \
  X(void, GenBuffers, (GLsizei n, GLuint * names), (n, names))                                              \
  X(void, DeleteBuffers, (GLsizei n, const GLuint* names), (n, names))                                      \
  X(void, BindBuffer, (GLenum target, GLuint name), (target, name))                                         \
  X(void, BufferData, (GLenum target, GLsizeiptr size, const void* data, GLenum usage),                     \
    (target, size, data, usage))                                                                            \
  X(void*, MapBufferRange, (GLenum target, GLintptr offset, GLsizeiptr length, GLbitfield access),          \
    (target, offset, length, access))                                                                       \
  X(GLboolean, UnmapBuffer, (GLenum target), (target))

// GLU's two matrix helpers, which the batched renderer computes itself.
#define VELMORA_GLU_SUBSET(X)                                                                           \
  X(void, LookAt,                                                                                       \
    (GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ, \
     GLdouble upX, GLdouble upY, GLdouble upZ),                                                         \
    (eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ))                                       \
  X(void, Perspective, (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar),                 \
    (fovy, aspect, zNear, zFar))

// The renderer's own entry points beside GL's, called by their own names (render/vertex_span.h).
#define VELMORA_OWN_SUBSET(X) X(void, DrawVertexSpan, (const VertexSpan& span), (span))
