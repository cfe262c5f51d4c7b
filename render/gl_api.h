// The OpenGL the core draws with: exactly the GL 1.x subset below, and the few modern calls beside it.
//
// Every name in the list goes through one table of functions, `gGl`, chosen when the context is made: the
// compatibility profile's own entry points (libepoxy, and GLU for the two matrix helpers), or the batched
// renderer (render/batched/), which runs the same subset on an OpenGL 3.3 core or OpenGL ES 3 context. The
// core keeps calling the usual names; nothing in the effects or scenes knows which it gets.
// tests/check_gl_subset.sh keeps every GL call of the core inside this list.
#pragma once

#include <epoxy/gl.h>

#include <GL/glu.h>

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

struct GlSubset {
#define VELMORA_GL_POINTER(type, name, parameters, arguments) type(*name) parameters;
  VELMORA_GL_SUBSET(VELMORA_GL_POINTER)
  VELMORA_GLU_SUBSET(VELMORA_GL_POINTER)
#undef VELMORA_GL_POINTER
};

// The table the core draws through; the compatibility profile's entry points until a renderer is installed.
extern GlSubset gGl;

// The compatibility profile's entry points, as a table.
const GlSubset& CompatibilityGl();

// Every GL name of the core is redirected to the table (tests/check_gl_subset.sh keeps this list and the
// one above in step).
#undef glBegin
#define glBegin gGl.Begin
#undef glEnd
#define glEnd gGl.End
#undef glVertex2d
#define glVertex2d gGl.Vertex2d
#undef glVertex2f
#define glVertex2f gGl.Vertex2f
#undef glVertex3d
#define glVertex3d gGl.Vertex3d
#undef glVertex3f
#define glVertex3f gGl.Vertex3f
#undef glColor3d
#define glColor3d gGl.Color3d
#undef glColor3f
#define glColor3f gGl.Color3f
#undef glColor4d
#define glColor4d gGl.Color4d
#undef glColor4f
#define glColor4f gGl.Color4f
#undef glTexCoord2d
#define glTexCoord2d gGl.TexCoord2d
#undef glTexCoord2f
#define glTexCoord2f gGl.TexCoord2f
#undef glNewList
#define glNewList gGl.NewList
#undef glEndList
#define glEndList gGl.EndList
#undef glCallList
#define glCallList gGl.CallList
#undef glMatrixMode
#define glMatrixMode gGl.MatrixMode
#undef glLoadIdentity
#define glLoadIdentity gGl.LoadIdentity
#undef glLoadMatrixd
#define glLoadMatrixd gGl.LoadMatrixd
#undef glPushMatrix
#define glPushMatrix gGl.PushMatrix
#undef glPopMatrix
#define glPopMatrix gGl.PopMatrix
#undef glTranslated
#define glTranslated gGl.Translated
#undef glTranslatef
#define glTranslatef gGl.Translatef
#undef glRotated
#define glRotated gGl.Rotated
#undef glScaled
#define glScaled gGl.Scaled
#undef glGetDoublev
#define glGetDoublev gGl.GetDoublev
#undef glEnable
#define glEnable gGl.Enable
#undef glDisable
#define glDisable gGl.Disable
#undef glBlendFunc
#define glBlendFunc gGl.BlendFunc
#undef glDepthFunc
#define glDepthFunc gGl.DepthFunc
#undef glDepthMask
#define glDepthMask gGl.DepthMask
#undef glCullFace
#define glCullFace gGl.CullFace
#undef glLineWidth
#define glLineWidth gGl.LineWidth
#undef glPointSize
#define glPointSize gGl.PointSize
#undef glShadeModel
#define glShadeModel gGl.ShadeModel
#undef glHint
#define glHint gGl.Hint
#undef glTexEnvi
#define glTexEnvi gGl.TexEnvi
#undef glPushAttrib
#define glPushAttrib gGl.PushAttrib
#undef glPopAttrib
#define glPopAttrib gGl.PopAttrib
#undef glPixelTransferf
#define glPixelTransferf gGl.PixelTransferf
#undef glPixelTransferi
#define glPixelTransferi gGl.PixelTransferi
#undef glViewport
#define glViewport gGl.Viewport
#undef glClearColor
#define glClearColor gGl.ClearColor
#undef glClearDepth
#define glClearDepth gGl.ClearDepth
#undef glClear
#define glClear gGl.Clear
#undef glFlush
#define glFlush gGl.Flush
#undef glGetIntegerv
#define glGetIntegerv gGl.GetIntegerv
#undef glGetString
#define glGetString gGl.GetString
#undef glGenTextures
#define glGenTextures gGl.GenTextures
#undef glDeleteTextures
#define glDeleteTextures gGl.DeleteTextures
#undef glBindTexture
#define glBindTexture gGl.BindTexture
#undef glTexParameteri
#define glTexParameteri gGl.TexParameteri
#undef glTexParameterf
#define glTexParameterf gGl.TexParameterf
#undef glTexImage2D
#define glTexImage2D gGl.TexImage2D
#undef glPixelStorei
#define glPixelStorei gGl.PixelStorei
#undef glGenFramebuffers
#define glGenFramebuffers gGl.GenFramebuffers
#undef glDeleteFramebuffers
#define glDeleteFramebuffers gGl.DeleteFramebuffers
#undef glBindFramebuffer
#define glBindFramebuffer gGl.BindFramebuffer
#undef glCheckFramebufferStatus
#define glCheckFramebufferStatus gGl.CheckFramebufferStatus
#undef glFramebufferTexture2D
#define glFramebufferTexture2D gGl.FramebufferTexture2D
#undef glFramebufferRenderbuffer
#define glFramebufferRenderbuffer gGl.FramebufferRenderbuffer
#undef glGenRenderbuffers
#define glGenRenderbuffers gGl.GenRenderbuffers
#undef glDeleteRenderbuffers
#define glDeleteRenderbuffers gGl.DeleteRenderbuffers
#undef glBindRenderbuffer
#define glBindRenderbuffer gGl.BindRenderbuffer
#undef glRenderbufferStorageMultisample
#define glRenderbufferStorageMultisample gGl.RenderbufferStorageMultisample
#undef glBlitFramebuffer
#define glBlitFramebuffer gGl.BlitFramebuffer
#undef glReadPixels
#define glReadPixels gGl.ReadPixels
#undef glGenBuffers
#define glGenBuffers gGl.GenBuffers
#undef glDeleteBuffers
#define glDeleteBuffers gGl.DeleteBuffers
#undef glBindBuffer
#define glBindBuffer gGl.BindBuffer
#undef glBufferData
#define glBufferData gGl.BufferData
#undef glMapBufferRange
#define glMapBufferRange gGl.MapBufferRange
#undef glUnmapBuffer
#define glUnmapBuffer gGl.UnmapBuffer
#define gluLookAt gGl.LookAt
#define gluPerspective gGl.Perspective
