// The table of the core's GL subset (render/gl_subset.h): one function pointer for each entry point, and
// `gGl`, the table the core draws through. Those who fill tables (render/gl_api.cpp, the batched renderer)
// include this header and call the driver by its own names; the core includes render/gl_api.h, which sends
// those names to the table.
#pragma once

#include "render/gl_headers.h"
#include "render/gl_subset.h"
#include "render/vertex_span.h"

struct GlSubset {
#define VELMORA_GL_POINTER(type, name, parameters, arguments) type(*name) parameters;
  VELMORA_GL_SUBSET(VELMORA_GL_POINTER)
  VELMORA_GLU_SUBSET(VELMORA_GL_POINTER)
  VELMORA_OWN_SUBSET(VELMORA_GL_POINTER)
#undef VELMORA_GL_POINTER
};

// The table the core draws through, one for each thread: the compatibility profile's entry points until a
// renderer is installed on the drawing thread; a thread that records calls for later has a table of its own
// (render/call_log.h).
extern thread_local constinit GlSubset gGl;

// The compatibility profile's entry points, as a table (empty on the web page, which has no such profile).
const GlSubset& CompatibilityGl();
