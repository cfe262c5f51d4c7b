#include "effects/dials.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "math/random.h"
#include "render/gl_api.h"

namespace {

constexpr int kCirclePoints = 101;
constexpr double kCircleStep = 0.06283185307179587;  // 2 pi / 100
constexpr double kDialRadius = 10.0;

struct TextureMap {
  double offsetX, offsetY, scale;
  void Vertex(double x, double y) const {
    glTexCoord2d(x * scale + offsetX, y * scale + offsetY);
    glVertex3d(x, y, 0.0);
  }
};

void Colour(double r, double g, double b, bool dark) {
  glColor3d(r, g, b);
  if (dark) glColor3d(0, 0, 0);
}

// A tint from two draws: grey g = r1 / 2 + 0.3 with a blue of (r2 + 0.5) * g.
void RandomTint(bool black) {
  const double g = RandomUnit() * 0.5 + 0.3;
  const double blue = (RandomUnit() + 0.5) * g;
  Colour(g, g, blue, black);
}

void TexturedDisc(const TextureMap& map, double radius) {
  glBegin(GL_TRIANGLE_FAN);
  glTexCoord2d(map.offsetX, map.offsetY);
  glVertex3d(0, 0, 0);
  for (int i = 0; i < kCirclePoints; ++i)
    map.Vertex(radius * std::sin(i * kCircleStep), radius * std::cos(i * kCircleStep));
  glEnd();
}

void Wedges(double t, int rimPoints, double time) {
  const TextureMap map{time, time, 0.1};
  for (int j = 0; j < 6; ++j) {
    const double base = 4 * t + 1.02 * j;
    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2d(map.offsetX, map.offsetY);
    glVertex3d(0, 0, 0);
    for (int i = 0; i < rimPoints; ++i) {
      const double angle = base + i * kCircleStep;
      map.Vertex(kDialRadius * std::sin(angle), kDialRadius * std::cos(angle));
    }
    glEnd();
  }
}

// A textured ring whose texture drifts with a random speed and scale (two draws).
void Band(double t, double inner, double outer) {
  const double offsetY = (RandomUnit() * 0.5 - 0.3) * t;
  const TextureMap map{-0.3 * t, offsetY, (RandomUnit() + 1) * 0.1};
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < kCirclePoints; ++i) {
    const double s = std::sin(i * kCircleStep), c = std::cos(i * kCircleStep);
    map.Vertex(inner * s, inner * c);
    map.Vertex(outer * s, outer * c);
  }
  glEnd();
}

void Ring(double cx, double cy, double inner, double outer) {
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < kCirclePoints; ++i) {
    const double s = std::sin(i * kCircleStep), c = std::cos(i * kCircleStep);
    glVertex3d(cx + inner * s, cy + inner * c, 0);
    glVertex3d(cx + outer * s, cy + outer * c, 0);
  }
  glEnd();
}

void Disc(double cx, double cy, double radius) {
  glBegin(GL_TRIANGLE_FAN);
  glVertex3d(cx, cy, 0);
  for (int i = 0; i < kCirclePoints; ++i) {
    glVertex3d(cx + radius * std::sin(i * kCircleStep), cy + radius * std::cos(i * kCircleStep), 0);
  }
  glEnd();
}

double SignedFraction(double x) {
  return x - std::trunc(x);
}

void DashColumns(double t) {
  glDisable(GL_TEXTURE_2D);
  glColor3d(0, 0, 0);
  glLineWidth(3.0f);
  const double right = SignedFraction(-4 * t), left = SignedFraction(4 * t);
  glBegin(GL_LINES);
  for (int i = 0; i < 150; ++i) {
    glVertex3d(11.5, 4 * (right + i), 0), glVertex3d(11.5, 4 * (right + i + 0.8), 0);
    glVertex3d(-11.5, 4 * (left + i), 0), glVertex3d(-11.5, 4 * (left + i + 0.8), 0);
  }
  glEnd();
}

}  // namespace

void DrawDialA(double t, bool dark) {
  glRotated(90, 0, 0, 1);
  RandomTint(dark);
  glColor3d(1, 1, 1);  // the disc is always white
  TexturedDisc({t, t, 0.2}, kDialRadius);
  Colour(1, 1, 1, dark);
  glColor3d(0, 0, 0);  // and the wedges always black
  Wedges(t, 8, t);
  for (int k = 0; k < 4; ++k) {
    RandomUnit();
    Colour(1, 1, 1, dark || k == 0 || k == 2);
    const double inner = k + 8 + (k > 2 ? 4 : 0);
    const double outer = k + 9 + (k == 2 ? 4 : k > 2 ? 5 : 0);
    Band(t, inner, outer);
  }
  glEnable(GL_TEXTURE_2D);
}

void DrawDialB(double t, bool dark) {
  glRotated(90, 0, 0, 1);
  RandomTint(dark);
  TexturedDisc({t, t, 0.2}, kDialRadius);
  Colour(1, 1, 1, dark);
  Wedges(t, 7, t);
  for (int k = 0; k < 5; ++k) {
    RandomTint(dark || k == 0 || k == 3 || k == 4);
    Band(t, k == 4 ? 1 : k + 8, k == 4 ? 2 : k + 9);
  }
  DashColumns(t);
  glEnable(GL_TEXTURE_2D);
}

void DrawEye(double t) {
  glDisable(GL_TEXTURE_2D);
  glColor3d(0, 0, 0);
  Disc(0, 0, 5);

  double p = std::clamp(2 * std::sin(3 * t), -1.0, 1.0);
  const double q = std::clamp(1.3 * std::cos(1.1 * t), -1.0, 1.0);
  p = std::clamp(p + std::sin(2.3 * t), -1.0, 1.0);
  const double cx = 2.3 * p * p * p, cy = 1.4 * q * std::pow(std::sin(1.32 * t), 7);
  glColor3d(0.7, 0.7, 0.7);
  Disc(cx, cy, 2);
  Ring(0, 0, 5, 7);
  glColor3d(0, 0, 0);
  Ring(0, 0, 6, 9);

  const double blink =
      std::clamp(std::fabs(std::sin(5.4 * t) * std::sin(2.6 * t) * std::sin(4 * t) * 1.5), 0.0, 1.0);
  RandomUnit();  // spent: the layout of what follows counts on it
  const double lid = std::pow(blink, 6) + 0.57;
  for (int strip = 0; strip < 2; ++strip) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < kCirclePoints; ++i) {
      const double phi = i * lid * 0.016022122533307946;
      if (strip == 0) {
        glVertex3d(6 * std::sin(2.3 * phi), 6 * std::cos(phi), 0);
        glVertex3d(9 * std::sin(-phi), 9 * std::cos(phi), 0);
      } else {
        glVertex3d(6 * std::sin(phi), 6 * std::cos(std::numbers::pi - phi), 0);
        glVertex3d(9 * std::sin(-phi), 9 * std::cos(std::numbers::pi - phi), 0);
      }
    }
    glEnd();
  }
}
