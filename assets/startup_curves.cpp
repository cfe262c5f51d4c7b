#include "assets/startup_curves.h"

#include <cmath>

#include "assets/show_curves.h"
#include "math/random.h"

namespace {

constexpr uint32_t kWalkerSeed = 23423423;
constexpr double kHalfTurnStep = 0.28559933214452665;  // pi / 11
constexpr double kEighthTurn = 0.39269908169872414;    // pi / 8

Vec3 Point(double x, double y) {
  return Vec3(kVecValid, float(x), float(y), 0.0f);
}

void Turn(Vec3& dir, double angle) {
  const double none = 0.0;
  Vec3RotateEuler(dir, none, none, angle);
}

void Step(Vec3& pos, const Vec3& dir) {
  Vec3Add(pos, dir, pos);
}

void AppendWithAttributes(Curve& curve, const Vec3& point, const Vec3& attribute) {
  curve.points.push_back(point);
  curve.widths.push_back(attribute);
  curve.extra.push_back(attribute);
  ++curve.count;
}

void StartOpen(Curve& curve) {
  curve.Clear();
  curve.closed = false;
}

// Width attribute of a walker's step j: a ripple between 0.05 and 0.35.
Vec3 Ripple(int j) {
  return Point(std::sin(2.3 * j) * 0.15 + 0.2, 0.0);
}

// A random unit-ish heading (b, a) from two draws, a first.
Vec3 RandomHeading() {
  const float a = float(2 * RandomUnit() - 1);
  const float b = float(2 * RandomUnit() - 1);
  return Vec3(kVecValid, b, a, 0.0f);
}

// Nine steps turning right a little each, appended with the same width attribute.
void Curl(Curve& curve, Vec3& pos, Vec3& dir, const Vec3& width) {
  for (int k = 0; k < 9; ++k) {
    Step(pos, dir);
    Turn(dir, -0.063);
    AppendWithAttributes(curve, pos, width);
  }
}

void BuildSingleCurve(Curve& curve) {
  RandomSeed(4234234);
  curve.Clear();
  Vec3 p = Point(0, 0);
  for (int i = 0; i < 1000; ++i) {
    p.x = float(p.x + 1.0);
    if (RandomUnit() < 0.05) {
      for (int k = 0; k < 5; ++k) curve.Append(p);
    }
    curve.Append(p);
  }
}

// Random walkers with curls: 0-69 start anywhere in a 300 x 300 square, 70-155 at (0, 40), 156-199 at (0, 60)
// heading down, wiggling four times as much and never curling.
void BuildWanderingWalkers(std::vector<Curve>& pool) {
  for (int i = 0; i < 200; ++i) {
    Curve& curve = pool[i];
    StartOpen(curve);
    Vec3 pos = Point(0, 40);
    Vec3 dir = RandomHeading();
    if (i < 70) {
      const float s = float(RandomUnit() * 300 - 150);
      const float t = float(RandomUnit() * 300 - 150);
      pos = Point(t, s);
    }
    Vec3Normalize(dir);
    if (i > 155) pos = Point(0, 60), dir = Point(0, -1);
    RandomSeed(kWalkerSeed + i);
    const double curlChance = i <= 155 ? 0.1 : -0.1;
    for (int j = 0; j < 150; ++j) {
      Step(pos, dir);
      const double u = RandomUnit() - 0.5;
      Turn(dir, i < 155 ? u : 4 * u);
      const Vec3 width = Ripple(j);
      AppendWithAttributes(curve, pos, width);
      if (RandomUnit() < curlChance) Curl(curve, pos, dir, width);
    }
  }
}

// Walkers pulled upwards; even entries start 24.6 lower.
void BuildRisingWalkers(std::vector<Curve>& pool) {
  for (int i = 0; i < 200; ++i) {
    Curve& curve = pool[i];
    StartOpen(curve);
    Vec3 pos = Point(0, i % 2 == 0 ? -24.6 : 0.0);
    pos.y = float(pos.y + (RandomUnit() * 3 - 1.5));
    Vec3 dir = RandomHeading();
    Vec3Normalize(dir);
    RandomSeed(kWalkerSeed + i);
    for (int j = 0; j < 150; ++j) {
      Step(pos, dir);
      Turn(dir, (RandomUnit() - 0.5) * 1.5);
      Vec3Add(dir, Point(-0.05, 0.4), dir);
      Vec3Normalize(dir);
      const Vec3 width = Ripple(j);
      AppendWithAttributes(curve, pos, width);
      if (RandomUnit() < 0.1) Curl(curve, pos, dir, width);
    }
  }
}

void BuildFreeWalkers(std::vector<Curve>& pool) {
  for (int i = 0; i < 200; ++i) {
    Curve& curve = pool[i];
    StartOpen(curve);
    Vec3 pos = Point(0, 0);
    pos.y = float(pos.y + (RandomUnit() * 3 - 1.5));
    Vec3 dir = RandomHeading();
    Vec3Normalize(dir);
    RandomSeed(kWalkerSeed + i);
    for (int j = 0; j < 150; ++j) {
      Step(pos, dir);
      Turn(dir, (RandomUnit() - 0.5) * 2.6);
      const Vec3 width = Ripple(j);
      AppendWithAttributes(curve, pos, width);
      if (RandomUnit() < 0.1) Curl(curve, pos, dir, width);
    }
  }
}

// Two families meandering up around x = 46 (entries 0-10) and x = -19 (11-19): short curls pull each walker
// back toward x = 0 of its own walk, and an offset moves the family into place.
void BuildOffsetWalkers(std::vector<Curve>& pool) {
  for (int i = 0; i < 20; ++i) {
    Curve& curve = pool[i];
    StartOpen(curve);
    double y0 = float(RandomUnit() * 100 - 80 - 50);
    Vec3 pos = Point(0, y0);
    if (i > 10) {
      y0 = float(RandomUnit() * 200 - 80 - 100);
      pos = Point(0, y0);
    }
    Vec3 dir = Point(0, 1);
    RandomSeed(23423443 + i);
    const bool left = i <= 10;
    const Vec3 offset = left ? Point(46, 0) : Point(-19, 70);
    for (int j = 0; j < 150; ++j) {
      Step(pos, dir);
      Turn(dir, RandomUnit() - 0.5 + 0.1);
      const Vec3 width = Ripple(j);
      AppendWithAttributes(curve, pos + offset, width);
      if (left ? pos.x < 0 : pos.x > 0) {
        for (int k = 0; k < 4; ++k) {
          Step(pos, dir);
          Turn(dir, left ? -0.35 : 0.2);
          AppendWithAttributes(curve, pos + offset, width);
        }
      }
    }
  }
}

// Strands from near (0, 136) downwards, calming and thinning toward their ends.
void BuildTaperingStrands(std::vector<Curve>& pool) {
  RandomSeed(23423413);
  for (int i = 0; i < 15; ++i) {
    Curve& curve = pool[i];
    StartOpen(curve);
    const float a = float(RandomUnit() * 10 + 136 - 5);
    const float b = float(RandomUnit() * 10 - 5);
    Vec3 pos = Point(b, a);
    Vec3 dir = Point(0, -1.35);
    for (int k = 0; k < 250; ++k) {
      Step(pos, dir);
      const double m = 1 - 0.004 * k;
      if (pos.y > 230) Turn(dir, 0.3);
      Turn(dir, (RandomUnit() - 0.5) * m * 1.9);
      const Vec3 width = Point(std::pow(m, 4) + 0.4, 0);
      RandomUnit();
      AppendWithAttributes(curve, pos, width);
    }
  }
}

// A shoot of 80 steps from `start`, heading down and bending by `bend` per step plus a random wobble.
void BuildShoot(Curve& shoot, Vec3 pos, double bend) {
  Vec3 dir = Point(0, -1);
  for (int j = 0; j < 80; ++j) {
    Turn(dir, (RandomUnit() - 0.5) * 0.4 + bend);
    AppendWithAttributes(shoot, pos, Point(0.3 * (1 - 0.0125 * j) + 0.01, 0));
    Step(pos, dir);
  }
}

// Stems (pool 1) with two side shoots each (pools 2 and 3), leaning more the further k is from 4.
void BuildStems(std::vector<Curve>& stems, std::vector<Curve>& firstShoots,
                std::vector<Curve>& secondShoots) {
  for (int k = 0; k < 9; ++k) {
    const double c = std::cos(k * kEighthTurn);
    Curve& stem = stems[k];
    Vec3 pos = Point(0, RandomUnit());
    Vec3 dir = Point(0, -1);
    for (int j = 0; j < 80; ++j) {
      const double t = 0.0125 * j;
      Turn(dir, 2 * (RandomUnit() - 0.5) * std::pow(t, 2.5) + 0.016 * c);
      Step(pos, dir);
      Vec3 width = Point(1 - t, 0);
      if (j < 20) width.x = float(width.x + RandomUnit() * 0.3);
      AppendWithAttributes(stem, pos, width);
    }
    BuildShoot(firstShoots[k], stem.points[50], 0.013 * c);
    BuildShoot(secondShoots[k], stem.points[20], 0.014 * c);
  }
}

// 70 runs of 11 steps, each straight or a half circle to the left or right.
void AppendMeanderRuns(Curve& curve, Vec3& pos, Vec3& dir, double turnChance) {
  const Vec3 width = Point(0.3, 0);
  for (int run = 0; run < 70; ++run) {
    int sense = 0;
    if (RandomUnit() < turnChance) {
      sense = 1;
    } else if (RandomUnit() < turnChance) {
      sense = -1;
    }
    for (int k = 0; k < 11; ++k) {
      Turn(dir, sense * kHalfTurnStep);
      Step(pos, dir);
      AppendWithAttributes(curve, pos, width);
    }
  }
}

void StartMeander(Vec3& pos, Vec3& dir) {
  RandomUnit();
  RandomUnit();
  RandomRaw();
  pos = Point(0, 0);
  dir = Point(0, 1);
  Vec3Normalize(dir);
}

void BuildMeanders(std::vector<Curve>& pool) {
  RandomSeed(4224246);
  for (int i = 0; i < 9; ++i) {
    Curve& curve = pool[i];
    curve.Clear();
    Vec3 pos, dir;
    StartMeander(pos, dir);
    for (int k = 0; k < 4; ++k) {
      Step(pos, dir);
      AppendWithAttributes(curve, pos, pos);
    }
    AppendMeanderRuns(curve, pos, dir, 0.28);
  }
}

void BuildSparseMeanders(std::vector<Curve>& stems, std::vector<Curve>& firstShoots,
                         std::vector<Curve>& secondShoots) {
  RandomSeed(4224233);
  for (int i = 10; i < 19; ++i) {
    stems[i].Clear();
    firstShoots[i].Clear();
    secondShoots[i].Clear();
    Vec3 pos, dir;
    StartMeander(pos, dir);
    AppendMeanderRuns(stems[i], pos, dir, 0.1);
  }
}

}  // namespace

void BuildStartupCurves(ShowCurves& curves) {
  auto& pools = curves.pools;
  BuildSingleCurve(curves.single);
  BuildWanderingWalkers(pools[6]);
  BuildRisingWalkers(pools[7]);
  BuildFreeWalkers(pools[8]);
  BuildOffsetWalkers(pools[5]);
  BuildTaperingStrands(pools[0]);
  BuildStems(pools[1], pools[2], pools[3]);
  BuildMeanders(pools[4]);
  BuildSparseMeanders(pools[1], pools[2], pools[3]);
}
