#include "effects/creatures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "effects/quads.h"
#include "effects/span_gatherer.h"
#include "effects/strokes.h"
#include "effects/sweep.h"

namespace {

constexpr double kSmallest = 0.000001;
constexpr int kMostStations = 100000;  // far beyond any creature of the show; keeps absurd sizes finite
constexpr int kLegStations = 10;       // legs hang at stations below 10

// Where a body station lies: the curve point, the side vector and the taper w (0 at the ends, 1 between).
struct Station {
  Vec3 point, side;
  double taper = 0.0;
};

// What depends on a station's number k alone (u = 0.02 k), the same for every creature: the stations the
// show's creatures use are worked out once.
struct StationShape {
  double sinePi;  // sin(pi u)
  double ripple;  // 1 + 0.1 sin(48 u)
  double taper;   // 0 at the ends, 1 between
};

StationShape ShapeOf(int k) {
  const double u = 0.02 * k, sinePi = std::sin(std::numbers::pi * u);
  return {sinePi, 1 + 0.1 * std::sin(48 * u), std::pow(std::clamp(5 * sinePi, 0.0, 1.0), 0.3)};
}

StationShape Shape(int k) {
  constexpr int kKept = 64;
  static const std::array<StationShape, kKept> kept = [] {
    std::array<StationShape, kKept> shapes;
    for (int i = 0; i < kKept; ++i) shapes[size_t(i)] = ShapeOf(i);
    return shapes;
  }();
  return k >= 0 && k < kKept ? kept[size_t(k)] : ShapeOf(k);
}

Station StationAt(const Curve& curve, double t, double span, int k) {
  const double u = 0.02 * k;
  Station station;
  CurveFrame(curve, t + span * u, t + span * (u + 0.02), station.point, station.side);
  station.taper = Shape(k).taper;
  return station;
}

// Wide head, slightly rippled middle, narrower tail.
double BodyFactor(int k) {
  if (k < 3) return 2.0;
  if (k <= 8) return Shape(k).ripple;
  return k == 10 ? 1.0 : 1.5;
}

// The body strip of creatures A and B from t0 over `span` parameter units per 50 stations, `halfWidth` wide
// at factor 1 and moved sideways by shift; keeps the first stations, where the legs hang.
void DrawBody(const Curve& curve, double t0, double span, double size, double halfWidth, double shift,
              std::array<Station, kLegStations>& legStations) {
  const double stations = std::min(11 * size, double(kMostStations));
  SpanGatherer strip(GL_QUAD_STRIP, false);
  for (int k = 0; k < stations; ++k) {
    const Station station = StationAt(curve, t0, span, k);
    if (k < kLegStations) legStations[size_t(k)] = station;
    const double h = halfWidth * station.taper * BodyFactor(k);
    strip.Flat(Along(station.point, station.side, h + shift));
    strip.Flat(Along(station.point, station.side, shift - h));
  }
  strip.Draw();
}

// One pair of legs: each strip's extra turn, length factor and curl, left then right.
struct LegPair {
  int station;
  double leftTurn, leftLength, leftCurl;
  double rightTurn, rightLength, rightCurl;
};

constexpr LegPair kLegsA[] = {{4, -0.5, 1.0, 1.0, 0.5, -1.0, -1.0},
                              {5, -0.2, 0.7, 0.1, 0.2, -0.7, -0.1},
                              {6, 0.2, 0.7, -0.9, -0.2, -0.7, 0.9},
                              {9, 0.8, 1.0, 0.0, -0.8, -1.0, 0.0}};

constexpr LegPair kLegsB[] = {{3, -0.1, 1.0, 1.0, 0.5, 1.0, -1.0},
                              {5, -0.2, 0.7, 0.1, 0.2, 0.7, -0.1},
                              {7, 0.2, 0.7, -0.9, -0.2, 0.7, 0.9},
                              {9, 1.3, 0.7, 1.5, -0.8, -0.7, 1.5}};

// The legs at the stations below 10 * size; `swing` is the amplitude of their sway, `reach` scales the side
// vector they start from, `hip` is where they hang off the body and shift moves them with the body.
template <size_t N>
void DrawLegs(const LegPair (&legs)[N], const std::array<Station, kLegStations>& stations, double t0,
              double size, double swing, double reach, double hip, double shift) {
  for (const LegPair& leg : legs) {
    const int k = leg.station;
    if (!(k < 10 * size)) return;
    const Station& station = stations[size_t(k)];
    const Vec3 left = Along(station.point, station.side, hip * station.taper + shift);
    const Vec3 right = Along(station.point, station.side, shift - hip * station.taper);
    const Vec3 start = Scaled(station.side, reach);
    const Vec3 swingLeft = Turned(start, swing * std::sin(1.2 * k - 3.3 * t0));
    const Vec3 swingRight = Turned(start, -swing * std::sin(2 - 3.3 * t0 + 1.2 * k));
    DrawCurlStrip(left, Scaled(Turned(swingLeft, leg.leftTurn), leg.leftLength), leg.leftCurl);
    DrawCurlStrip(right, Scaled(Turned(swingRight, leg.rightTurn), leg.rightLength), leg.rightCurl);
  }
}

void MultiplyBlend() {
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
}

void SolidBlack() {
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0, 0, 0);
}

}  // namespace

void DrawCreatureA(const Curve& curve, double t0, double gate, double step, double size, bool shadow) {
  if (gate < 0 || size < kSmallest || curve.count <= 0) return;
  glColor3f(1, 1, 1);
  MultiplyBlend();
  glPushMatrix();
  Vec3 spot;
  curve.Evaluate(float(t0 + 1), spot);
  glTranslatef(spot.x, spot.y, 0.0f);
  if (shadow) PlainQuad(2, 2);
  glPopMatrix();
  SolidBlack();

  std::array<Station, kLegStations> stations;
  DrawBody(curve, t0, 10 * step, size, 0.2, 0.0, stations);
  DrawLegs(kLegsA, stations, t0, size, 0.3, 1.0, 0.1, 0.0);
}

void DrawCreatureB(const Curve& curve, double t0, double step, double size, double shift) {
  if (size < kSmallest || curve.count <= 0) return;
  glColor3f(1, 1, 1);
  SolidBlack();
  std::array<Station, kLegStations> stations;
  DrawBody(curve, t0, 7 * step, size, 0.14, shift, stations);
  DrawLegs(kLegsB, stations, t0, size, 0.6, 0.7, 0.7 * 0.7 * 0.1, shift);
}

void DrawCreatureC(const Curve& curve, double t) {
  if (curve.count <= 0) return;
  constexpr int kShadowStations = 55, kBodyStations = 50;
  std::array<Station, kShadowStations> stations;
  for (int k = 0; k < kShadowStations; ++k) stations[size_t(k)] = StationAt(curve, t, 10, k);

  glColor3f(0.5f, 0.5f, 0.5f);
  MultiplyBlend();
  glBegin(GL_QUAD_STRIP);
  for (int k = 0; k < kShadowStations; ++k) {
    const double u = 0.02 * k, c = std::clamp(2 * Shape(k).sinePi, 0.0, 1.0);
    const Station& station = stations[size_t(k)];
    glColor3d(c, c, c);
    glTexCoord2d(0, u);
    FlatVertex(Along(station.point, station.side, -2));
    glTexCoord2d(1, u);
    FlatVertex(Along(station.point, station.side, 2));
  }
  glEnd();
  SolidBlack();

  SpanGatherer body(GL_QUAD_STRIP, false);
  for (int k = 0; k < kBodyStations; ++k) {
    const Station& station = stations[size_t(k)];
    const double h = 0.5 * station.taper * Shape(k).ripple;
    body.Flat(Along(station.point, station.side, h));
    body.Flat(Along(station.point, station.side, -h));
  }
  body.Draw();

  for (int k = 0; k <= 48; k += 4) {
    const Station& station = stations[size_t(k)];
    const Vec3& s = station.side;
    const Vec3 left = Along(station.point, s, 0.5 * station.taper);
    const Vec3 right = Along(station.point, s, -0.5 * station.taper);
    Vec3 toLeft, toRight;
    if (k == 0) {
      toLeft = Turned(Scaled(s, 2.5), 0.12 * std::sin(0.5 * t) - 1.13);
      toRight = Turned(Scaled(s, 2.5), 1.13 - 0.12 * std::sin(0.4 * t + 2.0));
    } else if (k == 48) {
      toLeft = Turned(Scaled(s, 3.5), 0.12 * std::sin(0.5 * t + 9.6) + 1.13);
      toRight = Turned(Scaled(s, 3.5), -1.13 - 0.12 * std::sin(0.4 * t + 11.6));
    } else {
      const double g = 1 + 0.3 * Shape(k).sinePi;
      toLeft = Scaled(Turned(s, 0.5 * std::sin(0.2 * k - 1.3 * t)), g);
      toRight = Scaled(Turned(s, -0.5 * std::sin(1 - 1.3 * t + 0.2 * k)), g);
    }
    DrawCurlStripWide(left, toLeft, 1.0);
    DrawCurlStripWide(right, Scaled(toRight, -1), -1.0);
  }

  glColor3f(0.5f, 0.5f, 0.5f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDisable(GL_BLEND);
}
