// The compatibility table: libepoxy's entry points and GLU's two matrix helpers, called by their usual names
// (this file does not see the core's redirections, so they reach the driver).
#include "render/gl_table.h"

#include <GL/glu.h>

namespace {

const GlSubset kCompatibility = {
#define VELMORA_GL_COMPAT(type, name, parameters, arguments) \
  .name = [] parameters -> type { return gl##name arguments; },
    VELMORA_GL_SUBSET(VELMORA_GL_COMPAT)
#undef VELMORA_GL_COMPAT
#define VELMORA_GLU_COMPAT(type, name, parameters, arguments) \
  .name = [] parameters -> type { return glu##name arguments; },
        VELMORA_GLU_SUBSET(VELMORA_GLU_COMPAT)
#undef VELMORA_GLU_COMPAT
};

}  // namespace

GlSubset gGl = kCompatibility;

const GlSubset& CompatibilityGl() {
  return kCompatibility;
}
