#include "effects/quads.h"

#include <cmath>

#include "render/gl_api.h"

namespace {

struct TexturedCorner {
  float u, v;
  float x, y;
};

void DrawQuad(float u0, float v0, float u1, float v1) {
  const TexturedCorner corners[4] = {{u0, v0, -1, -1}, {u1, v0, 1, -1}, {u1, v1, 1, 1}, {u0, v1, -1, 1}};
  glBegin(GL_QUADS);
  for (const TexturedCorner& c : corners) {
    glTexCoord2f(c.u, c.v);
    glVertex3f(c.x, c.y, 0.0f);
  }
  glEnd();
}

// Keeps only the translation of the model-view matrix, so what follows faces the viewer unscaled.
void FaceViewer() {
  GLdouble matrix[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) matrix[column * 4 + row] = column == row ? 1.0 : 0.0;
  }
  glLoadMatrixd(matrix);
}

}  // namespace

void FlatQuad(const double& angle, const double& width, const double& height) {
  glScaled(std::fabs(width), height, 0.0);
  glRotated(angle, 0.0, 0.0, 1.0);
  if (width > 0) {
    DrawQuad(0, 0, 1, 1);
  } else {
    DrawQuad(1, 0, 0, 1);
  }
}

void BillboardQuad(const double& angle, const double& width, const double& height, double texU, double texV,
                   double span) {
  FaceViewer();
  glScaled(width, height, 0.0);
  glRotated(angle, 0.0, 0.0, 1.0);
  DrawQuad(float(texU), float(texV), float(texU + span), float(texV + span));
}

void TiledBillboard(const double& angle, const double& width, const double& height) {
  BillboardQuad(angle, width, height, 0.0, 0.0, 4.0);
}

void PlainQuad(double width, double height) {
  glScaled(width, height, 0.0);
  DrawQuad(0, 0, 1, 1);
}
