#include "render/overlay.h"

#include <initializer_list>

#include "render/gl_api.h"

namespace {
constexpr GLenum kMatrices[] = {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW};
}

void BeginOverlay() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  for (GLenum matrix : kMatrices) {
    glMatrixMode(matrix);
    glPushMatrix();
    glLoadIdentity();
  }
  for (GLenum capability :
       {GL_DEPTH_TEST, GL_BLEND, GL_LIGHTING, GL_CULL_FACE, GL_ALPHA_TEST, GL_FOG, GL_STENCIL_TEST,
        GL_SCISSOR_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T}) {
    glDisable(capability);
  }
}

void EndOverlay() {
  for (GLenum matrix : kMatrices) {
    glMatrixMode(matrix);
    glPopMatrix();
  }
  glPopAttrib();
}

void DrawViewportQuad() {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex2f(-1, -1);
  glTexCoord2f(1, 0), glVertex2f(1, -1);
  glTexCoord2f(1, 1), glVertex2f(1, 1);
  glTexCoord2f(0, 1), glVertex2f(-1, 1);
  glEnd();
}
