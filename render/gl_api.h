// The OpenGL the core draws with: exactly the GL 1.x subset of render/gl_subset.h, and the few modern calls
// beside it.
//
// Every name in the list goes through one table of functions, `gGl` (render/gl_table.h), chosen when the
// context is made: the compatibility profile's own entry points (libepoxy, and GLU for the two matrix
// helpers), or the batched renderer (render/batched/), which runs the same subset on an OpenGL 3.3 core or
// OpenGL ES 3 context (WebGL 2 on the web page). The core keeps calling the usual names; nothing in the
// effects or scenes knows which it gets. Only the core includes this header: the tables' own code calls the
// driver by the same names and must not see the redirections. tests/check_gl_subset.sh keeps every GL call
// of the core inside the list.
#pragma once

#include "render/gl_headers.h"

#include <GL/glu.h>

#include "render/gl_table.h"

// `#undef glBegin` / `#define glBegin gGl.Begin` and so on for every gl and glu name of the list, written by
// the build from render/gl_subset.h (render/CMakeLists.txt) into its own folder.
#include "render/gl_redirections.h"

// Draws a primitive handed over whole (render/vertex_span.h) with the table's renderer.
inline void DrawVertexSpan(const VertexSpan& span) {
  gGl.DrawVertexSpan(span);
}
