// The compatibility table: libepoxy's entry points and GLU's two matrix helpers, called by their usual names
// (this file does not see the core's redirections, so they reach the driver).
#include "render/gl_table.h"

#include <GL/glu.h>

#include <span>

namespace {

// A span as the immediate-mode calls it stands for.
void DrawVertexSpanImmediately(const VertexSpan& span) {
  glBegin(span.mode);
  for (const SpanVertex& v : std::span(span.vertices, size_t(span.count))) {
    if (span.textured) glTexCoord2d(v.s, v.t);
    glVertex3f(v.x, v.y, v.z);
  }
  glEnd();
}

constexpr GlSubset kCompatibility = {
#define VELMORA_GL_COMPAT(type, name, parameters, arguments) \
  .name = [] parameters -> type { return gl##name arguments; },
    VELMORA_GL_SUBSET(VELMORA_GL_COMPAT)
#undef VELMORA_GL_COMPAT
#define VELMORA_GLU_COMPAT(type, name, parameters, arguments) \
  .name = [] parameters -> type { return glu##name arguments; },
        VELMORA_GLU_SUBSET(VELMORA_GLU_COMPAT)
#undef VELMORA_GLU_COMPAT
#define VELMORA_OWN_COMPAT(type, name, parameters, arguments) .name = name##Immediately,
            VELMORA_OWN_SUBSET(VELMORA_OWN_COMPAT)
#undef VELMORA_OWN_COMPAT
};

}  // namespace

thread_local constinit GlSubset gGl = kCompatibility;

const GlSubset& CompatibilityGl() {
  return kCompatibility;
}
