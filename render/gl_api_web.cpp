// The web build's table of the GL subset: WebGL 2 has no compatibility profile, so the table stays empty
// until the batched renderer is installed on the page's context.
#include "render/gl_table.h"

thread_local constinit GlSubset gGl = {};

const GlSubset& CompatibilityGl() {
  static const GlSubset kNone = {};
  return kNone;
}
