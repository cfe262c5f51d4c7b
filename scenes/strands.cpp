// Strands: bands of ribbons that grow along the start-up curves on staggered ramps, in fields, a bundle,
// curtains and sprouts, and the group of ribbons with crawling creatures.
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <utility>

#include "effects/creatures.h"
#include "effects/ribbons.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/first_half_layers.h"
#include "scenes/ramps.h"
#include "scenes/rows.h"

namespace {

constexpr int kStrandRows = 9;
constexpr int kDepthOfStrands = 10;

double Clamp01(double x) {
  return std::clamp(x, 0.0, 1.0);
}

Vec3 DriftingTexture(int j, double t) {
  return Vec3(kVecValid, float(0.1 * j * t), float(0.1 * (j + 2) * t), 0);
}

// The tint of a strand, grey and blue: grey m = 0.5 r1 + 0.3 with a blue of (r2 + 0.5) m.
std::pair<double, double> RandomTint() {
  const double m = 0.5 * RandomUnit() + 0.3;
  return {m, (RandomUnit() + 0.5) * m};
}

void SetRandomTint() {
  const auto [grey, blue] = RandomTint();
  glColor3d(grey, grey, blue);
}

// A strand's black shadow, a little down and to the left of the strand.
void CurtainShadow(const RibbonPath& path, double length, int j) {
  glPushMatrix();
  glTranslated(-0.65, -0.65, 0);
  glColor3f(0, 0, 0);
  glDisable(GL_TEXTURE_2D);
  DrawRibbon(path, 0, length, j, 0.45, -1);
  glPopMatrix();
}

// Both curtains hang where strand field A grows, from the same seed; the blend factors are set for what
// follows while blending stays off. Pushes the matrix.
void BeginCurtain(const Scene& scene) {
  RandomSeed(123444);
  scene.Bind(24);
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  NoBlend();
  glPushMatrix();
  glTranslated(0, 240, kDepthOfStrands);
}

struct Sprout {
  int row, curve;
  Placement placement;
  float r, g, b;       // the colour set before the sprout
  double envelope;     // strands from floor(-5 envelope) to 5 envelope
  double growthStart;  // where the black strands start to grow
  double tipStart;     // where the coloured copies start to grow
  double greySpread;   // the coloured copies' grey is greySpread * r + 0.2
};

Sprout SproutOf(int row, double t) {
  switch (row) {
    case 56:
      return {56, 0, {-40, 296, 30, 90}, 1, 1, 1, Ramp(t, 48) - Ramp(t, 70), 60 - 22, 65, 0.3};
    case 57:
      return {57, 6, {60, 496, 33, 90}, 1, 1, 1, Ramp(t, 70) - Ramp(t, 82), 60 - 2, 65, 0.4};
    case 58:
      return {58, 0, {21.533, 755, 30, 0, -1.5, 1.5, 1.5}, 2, 2, 2, 1.0, 62, 86, 0.3};
    default:  // the grey sprout runs its own strands (DrawGreySprout)
      return {74, 2, {-14.6, 815.4, 10, 90, 3.3, 3.6, 2}, 0.3f, 0.3f, 0.3f, 0, 0, 0, 0};
  }
}

// Row 74's three grey strands of fixed length, the first shifted one strand further out. Each strand draws
// its three growth ramps as every sprout strand does, though only the first bounds it.
void DrawGreySprout(const RibbonPath& path, double t) {
  for (int j = -3; j <= -1; ++j) {
    const double eaten = 420 * StaggeredRamp(t, 184, 8, 0.03);
    StaggeredRamp(t, 60 - 22, 18, 0.07);
    StaggeredRamp(t, 65, 18, 0.19);
    const Vec3 offset = DriftingTexture(j, t);
    glColor3f(0, 0, 0);
    glPushMatrix();
    glTranslated(0.4, 0.4, 0);
    DrawRibbonTextured(path, eaten, 200, offset, 1.1 * RandomUnit() + 0.8, j == -3 ? -2 : j, 0.4, -1);
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    SetRandomTint();
    DrawRibbonTextured(path, eaten, 200, offset, 1.1 * RandomUnit() + 0.9, j, 0.45, -1);
  }
}

}  // namespace

void DrawStrandFieldA(const Scene& scene) {
  scene.Drawn(2);
  const double t = scene.t, envelope = Ramp(t, 39, 0.5) - Ramp(t, 61, 0.3);
  Texturing(false);
  NoBlend();
  glColor3f(1, 1, 1);
  RandomSeed(423444);
  glPushMatrix();
  glTranslated(0, 240, kDepthOfStrands);
  for (int r = 0; r < kStrandRows * envelope; ++r) {
    glColor3f(1, 1, 1);
    const double s = 0.3 * r;
    const RibbonPath path(scene.Pool(1, 10 + r));
    for (int j = -3; j <= 2; ++j) {
      DiscardDraws(20 * scene.levels.high - 3);
      const double g = StaggeredRamp(t, 40 + s, 8, 0.07);
      DrawRibbon(path, 0, 400 * g, j, 0.45 + 0.5 * scene.levels.low, -1);
    }
  }
  glPopMatrix();
}

void DrawStrandFieldB(const Scene& scene) {
  scene.Drawn(3);
  const double t = scene.t, envelope = Ramp(t, 33) - Ramp(t, 50, 0.5);
  Texturing(false);
  NoBlend();
  glColor3f(1, 1, 1);
  glPushMatrix();
  glTranslated(0, 260, kDepthOfStrands);
  for (int r = 0; r < kStrandRows * envelope; ++r) {
    const double s = 0.3 * r;
    const double stem = Clamp01((t - 28 - s) * 0.18), shoots = Clamp01((t - 33 - s) * 0.12);
    DrawRibbon(scene.Pool(1, r), 0, 80 * stem, 0, 0, -1);
    DrawRibbon(scene.Pool(2, r), 0, 80 * shoots, 0, 0, -1);
    DrawRibbon(scene.Pool(3, r), 0, 80 * shoots, 0, 0, -1);
  }
  glPopMatrix();
}

void DrawRibbonCreatureGroup(const Scene& scene) {
  scene.Drawn(18);
  const double t = scene.t, rows = 15 * (Ramp(t, 15, 0.2) - Ramp(t, 49, 0.3));
  Texturing(false);
  NoBlend();
  for (int r = 0; r < rows; ++r) {
    glColor3f(1, 1, 1);
    glPushMatrix();
    glTranslated(0, 0, 15);
    DrawRibbon(scene.Pool(0, r), 0, 250 * Clamp01((t - 8 - 0.8 * r) * 0.03), 0, 0, -1);
    glPopMatrix();
  }
  scene.Bind(10);
  RandomSeed(42344234);
  glPushMatrix();
  glTranslated(0, 0, 15);
  for (int repetition = 0; repetition < 20; ++repetition) {
    for (int r = 0; r < rows; ++r) {
      const double length = std::max(0.0, 20 * RandomUnit() + t - 30);
      const double along = (0.3 * RandomUnit() + 1) * 7 * length;
      DrawCreatureA(scene.Pool(0, r), along, along / 7, 1.1, 1.0, true);
    }
  }
  glPopMatrix();
}

void DrawStrandBundle(const Scene& scene) {
  scene.Drawn(38);
  const double t = scene.t, edge = std::min(t + 340, 450.0);
  NoBlend();
  glPushMatrix();
  glTranslated(50, 474, 0);
  glScaled(2, 2, 2);
  glColor3f(1, 1, 1);
  RandomSeed(423444);
  Texturing(true);
  scene.Bind(24);
  for (int r = 1; r < 10 * Ramp(t, 54, 0.3); ++r) {
    const double s = 0.3 * r;
    RandomUnit();
    // The random draws of the curve's ten strands first, then the strands, drawn apart.
    struct Strand {
      double eaten, grown, tip, grey, blue, texScale;
    };
    std::array<Strand, 10> strands;
    for (Strand& strand : strands) {
      strand.eaten = StaggeredRamp(t, 84, 8, 0.0275);
      strand.grown = StaggeredRamp(t, 50 + s, 18, 0.07);
      strand.tip = StaggeredRamp(t, 65 + s, 18, 0.19);
      DiscardDraws(10 * scene.levels.high - 3);
      // A warm tint: the blue stays at or below the grey.
      strand.grey = 0.5 * RandomUnit() + 0.3;
      strand.blue = (0.5 * RandomUnit() + 0.5) * strand.grey;
      strand.texScale = 0.4 * RandomUnit() + 0.1;
    }
    DrawApart([&curve = scene.Pool(4, r), r, t, edge, strands] {
      const RibbonPath path(curve);
      for (int j = -5; j <= 4; ++j) {
        const Strand& strand = strands[size_t(j + 5)];
        const Vec3 offset = DriftingTexture(j, t);
        const double from = 420 * strand.eaten, to = 420 * strand.grown;
        glPushMatrix();
        glColor3f(0, 0, 0);
        glDisable(GL_TEXTURE_2D);
        glTranslated(-0.4, -0.4, 0);
        DrawRibbonTextured(path, from, to, offset, 0.1, j, 0.45, -1);
        glPopMatrix();
        glPushMatrix();
        glEnable(GL_TEXTURE_2D);
        glColor3f(0, 0.3f, 0.5f);
        DrawRibbonTextured(path, from, to, offset, 0.1, j, 0.45, -1);
        glPopMatrix();
        glColor3d(strand.grey, strand.grey, strand.blue);
        const bool edged = r == 8 && j == 4;  // the one strand that shows the edge band
        DrawRibbonTextured(path, 430 * strand.eaten, 430 * strand.tip, offset, strand.texScale, j, 0.45,
                           edged ? edge : -edge);
      }
    });
  }
  glPopMatrix();
}

void DrawStrandCurtainA(const Scene& scene) {
  scene.Drawn(43);
  const double t = scene.t, envelope = Ramp(t, 39, 0.5) - Ramp(t, 73, 0.25);
  BeginCurtain(scene);
  for (int r = 0; r < kStrandRows * envelope; ++r) {
    const double s = 0.3 * r;
    const RibbonPath path(scene.Pool(1, 10 + r));
    for (int j = -3; j <= 2; ++j) {
      CurtainShadow(path, 420 * StaggeredRamp(t, 48.1 + s, 8, 0.1), j);
      SetRandomTint();
    }
  }
  glPopMatrix();
}

// The coloured curtain: over each shadow a textured band in the strand's tint and a thin outline along its
// edge; the band leaves from its start as (t - 72 - 0.2 r) * 0.15 rises, and its texture runs with t + 286.
void DrawStrandCurtainB(const Scene& scene) {
  scene.Drawn(44);
  const double t = scene.t, envelope = Ramp(t, 38, 0.5) - Ramp(t, 80, 0.3);
  const double running = t + 286;
  BeginCurtain(scene);
  for (int r = 0; r < kStrandRows * envelope; ++r) {
    const double s = 0.3 * r, leaving = Clamp01((t - 72 - 0.2 * r) * 0.15);
    // The random draws of the curve's six strands first, then the strands, drawn apart.
    struct Strand {
      double length, grey, blue;
    };
    std::array<Strand, 6> strands;
    for (Strand& strand : strands) {
      strand.length = 420 * StaggeredRamp(t, 45.1 + s, 8, 0.1);
      std::tie(strand.grey, strand.blue) = RandomTint();
      DiscardDraws(30 * scene.levels.high - 5);
    }
    DrawApart([&scene, &curve = scene.Pool(1, 10 + r), leaving, running, strands] {
      const RibbonPath path(curve);
      for (int j = -3; j <= 2; ++j) {
        const Strand& strand = strands[size_t(j + 3)];
        CurtainShadow(path, strand.length, j);
        glColor3d(strand.grey, strand.grey, strand.blue);
        glEnable(GL_TEXTURE_2D);
        scene.Bind(j == 2 ? 25 : 24);
        const Vec3 offset(kVecValid, float(0.01 * j * running), float(0.02 * running), 0);
        DrawRibbonTextured(path, strand.length * leaving, strand.length, offset, 0.2, j, 0.45, -1);
        glDisable(GL_TEXTURE_2D);
        DrawRibbon(path, strand.length * leaving, strand.length, j + 0.45, 0.04, -1);
      }
    });
  }
  glPopMatrix();
}

// A sprout: strands side by side on one curve, black ones growing on a slow ramp with coloured copies on a
// fast one over them, both eaten from their start after 184 s; the whole sprout drifts left.
void DrawStrandSprout(const Scene& scene, int row) {
  scene.Drawn(row);
  const double t = scene.t;
  const Sprout sprout = SproutOf(row, t);
  NoBlend();
  glPushMatrix();
  Place(sprout.placement);
  glColor3f(sprout.r, sprout.g, sprout.b);
  RandomSeed(423444);
  Texturing(true);
  scene.Bind(25);
  glTranslated(-0.05 * (t - 80), 0, 0);
  const RibbonPath path(scene.Pool(4, sprout.curve));
  if (row == 74) {
    DrawGreySprout(path, t);
    glPopMatrix();
    return;
  }
  for (int j = int(std::floor(-5 * sprout.envelope)); j <= 5 * sprout.envelope; ++j) {
    const double eaten = StaggeredRamp(t, 184, 8, 0.03);
    const double grown = StaggeredRamp(t, sprout.growthStart, 18, 0.07);
    const double tip = StaggeredRamp(t, sprout.tipStart, 18, 0.19);
    const Vec3 offset = DriftingTexture(j, t);
    glColor3f(0, 0, 0);
    glPushMatrix();
    glTranslated(0.4, 0.4, 0);
    DrawRibbonTextured(path, 420 * eaten, 420 * grown, offset, 0.1, j, 0.45, -1);
    glPopMatrix();
    const double g = sprout.greySpread * RandomUnit() + 0.2;
    glColor3d(1.3 * g, 1.1 * g, g);
    DrawRibbonTextured(path, 420 * eaten, 420 * tip, offset, 0.8 * RandomUnit() + 0.6, j, 0.45, -1);
  }
  glPopMatrix();
}
