#include "effects/band_panels.h"

#include "effects/span_gatherer.h"
#include "math/random.h"
#include "render/gl_api.h"

namespace {
constexpr double kBandHeight = 0.1275;
constexpr double kBandMargin = 0.01;
constexpr float kStoreyHeight = 0.25f;

// The texture band `row` as the quad's texture coordinates and corners, from y0 up to 1, placed at y * scale
// + lift.
void EmitBand(SpanGatherer& quads, int row, float y0, float scale, float lift) {
  const double bottom = row * kBandHeight + kBandMargin, top = (row + 1) * kBandHeight - kBandMargin;
  const float yBottom = y0 * scale + lift, yTop = scale + lift;
  quads.FlatTextured(Vec3(kVecValid, -1, yBottom, 0), 0, bottom);
  quads.FlatTextured(Vec3(kVecValid, 1, yBottom, 0), 1, bottom);
  quads.FlatTextured(Vec3(kVecValid, 1, yTop, 0), 1, top);
  quads.FlatTextured(Vec3(kVecValid, -1, yTop, 0), 0, top);
}

}  // namespace

void DrawBandQuad(int row) {
  SpanGatherer quad(GL_QUADS, true);
  EmitBand(quad, row, row == 3 ? -0.5f : 0.0f, 1, 0);
  quad.Draw();
}

// Storey i is the band quad scaled by (1, 0.25, 1) and lifted by i of those quarter units. The scale and
// lift are applied here rather than through the matrix, exactly (quarters of integers are exact in a float
// up to 2^24), so that stacks of thousands of storeys go out as one batch of quads.
void DrawBandStack(int n) {
  if (n <= 0) return;
  SpanGatherer quads(GL_QUADS, true);
  for (int i = 0; i < n; ++i) {
    const int row = i == n - 1 ? 6 : i == 0 ? 7 : i == 1 ? 6 : 0;
    EmitBand(quads, row, 0, kStoreyHeight, kStoreyHeight * float(i));
  }
  quads.Draw();
}

void DrawNoiseQuad(int n, double amount) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const double grey = RandomUnit() * 0.5 + 0.3;
  const double blue = (RandomUnit() + 0.5) * grey;
  glColor4d(grey, grey, blue, 0.5);
  glEnable(GL_TEXTURE_2D);
  glPushMatrix();
  glScaled(1, 0.25, 1);
  const double a = float((0.5 - RandomUnit()) * amount * 4);
  const double b = float((0.5 - RandomUnit()) * amount * 4);
  const double k = (RandomUnit() * 0.2 + 0.1) * 0.7;
  glBegin(GL_QUADS);
  glTexCoord2d((b - 1) * k * 4, a * k), glVertex3f(-1, 0, 0);
  glTexCoord2d((b + 1) * k * 4, a * k), glVertex3f(1, 0, 0);
  glTexCoord2d((b + 1) * k * 4, (n + a) * k), glVertex3f(1, float(n), 0);
  glTexCoord2d((b - 1) * k * 4, (n + a) * k), glVertex3f(-1, float(n), 0);
  glEnd();
  glPopMatrix();
  glDisable(GL_BLEND);
}
