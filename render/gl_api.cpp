#include "render/gl_api.h"

#undef gluLookAt
#undef gluPerspective

namespace {

// The table's names are macros from here on; epoxy's own names and GLU's functions reach the driver.
const GlSubset kCompatibility = {
#define VELMORA_GL_COMPAT(type, name, parameters, arguments) \
  [] parameters -> type { return epoxy_gl##name arguments; },
    VELMORA_GL_SUBSET(VELMORA_GL_COMPAT)
#undef VELMORA_GL_COMPAT
#define VELMORA_GLU_COMPAT(type, name, parameters, arguments) \
  [] parameters -> type { return glu##name arguments; },
        VELMORA_GLU_SUBSET(VELMORA_GLU_COMPAT)
#undef VELMORA_GLU_COMPAT
};

}  // namespace

GlSubset gGl = kCompatibility;

const GlSubset& CompatibilityGl() {
  return kCompatibility;
}
