// A primitive handed to the renderer whole: its vertices built into one array by the effect, then drawn in
// one call instead of one call per attribute per vertex. The compatibility profile turns a span back into
// exactly the immediate-mode calls it stands for (glTexCoord2d before each glVertex3f when textured, all
// between glBegin and glEnd); the batched renderer transforms the array straight into its vertex stream.
// The colour is the current one, as for the calls.
#pragma once

#include "render/gl_headers.h"

struct SpanVertex {
  float x, y, z;  // as glVertex3f takes them
  double s, t;    // as glTexCoord2d takes them; read only when the span is textured
};

struct VertexSpan {
  GLenum mode = GL_QUAD_STRIP;
  const SpanVertex* vertices = nullptr;
  int count = 0;
  bool textured = false;
};
