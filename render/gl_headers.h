// The platform's OpenGL headers, for everything that names GL types, enums or functions. The desktop gets
// libepoxy, which loads every entry point of the context it finds. The web page gets Emscripten's OpenGL
// ES 3.0 (WebGL 2) functions, and its OpenGL 1.x header for the legacy enums the subset names (GL_QUADS,
// GL_MODELVIEW, ...); no OpenGL 1.x function is ever called there, as the page draws through the batched
// renderer.
#pragma once

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>

#include <GL/gl.h>
#else
#include <epoxy/gl.h>
#endif
