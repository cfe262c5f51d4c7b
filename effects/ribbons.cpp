#include "effects/ribbons.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/span_gatherer.h"
#include "effects/sweep.h"

namespace {

constexpr double kPerPointBelow = 1e-5;

// Unit direction from a to b and the unit side vector to its right in the xy plane.
void Frame(const Vec3& a, const Vec3& b, Vec3& d, Vec3& s) {
  Vec3Sub(b, a, d);
  Vec3Normalize(d);
  Vec3Cross(d, kOutOfPlane, s);
  Vec3Normalize(s);
}

// What both ribbons share: the path, the clamped range and the widths.
struct Band {
  const RibbonPath& path;
  int count;
  int i0, i1;
  double g0, g1;
  double width;

  const Vec3& P(int i) const { return path.curve.points[size_t(std::clamp(i, 0, count - 1))]; }
  double W(int i) const {
    if (width >= kPerPointBelow) return width;
    const Curve& curve = path.curve;
    return size_t(i) < curve.widths.size() && i >= 0 ? curve.widths[size_t(i)].x : 0.0;
  }
};

int PointCount(const Curve& curve) {
  return std::min<int>(curve.count, int(curve.points.size()));
}

// Clamps the range; nothing when the curve is empty, the range is reversed or ends before parameter 1.
bool PrepareBand(double t0, double t1, double width, Band& band) {
  const int n = PointCount(band.path.curve);
  if (n <= 0) return false;
  t1 = std::clamp(t1, 0.0, double(n - 1));
  t0 = std::clamp(t0, 0.0, double(n - 1));
  if (t0 > t1 || t1 < 1.0) return false;
  band.count = n;
  band.i0 = int(t0);
  band.i1 = int(t1);
  band.g0 = (band.i0 + 1) - t0;
  band.g1 = t1 - band.i1;
  band.width = width;
  return true;
}

// The band as one quad strip: a station at each point of the range, its two vertices h either side of the
// point along the segment's side vector, the whole moved sideways by sideShift.
template <bool kTextured>
void DrawBandStrip(const Band& band, double sideShift, const Vec3& texOffset, double texScale) {
  const int i0 = band.i0, i1 = band.i1;
  // A band within one segment (i0 == i1) starts on segment i0 and ends on i1 - 1.
  const Vec3* side = band.path.SidesThrough(std::max(i0, i1 - 1));
  SpanGatherer strip(GL_QUAD_STRIP, kTextured);
  strip.Reserve(size_t(2 * (i1 - i0 + 1)));
  const float shift = float(sideShift);
  // Along(Along(q, s, ±h), s, sideShift) in x and y alone, each sum and product in double and stored as a
  // float as the Vec3 steps do (an unset q or s stands for zeroes), and s * sideShift once for both vertices.
  const auto station = [&](const Vec3& q, const Vec3& s, double h) {
    const bool sideSet = s.state != kVecUnset, pointSet = q.state != kVecUnset;
    const auto product = [sideSet](float a, float b) { return sideSet ? float(double(a) * b) : 0.0f; };
    const auto sum = [](float a, float b) { return float(double(a) + b); };
    const float shiftX = product(s.x, shift), shiftY = product(s.y, shift);
    for (const float half : {float(h), float(-h)}) {
      const float x = sum(pointSet ? sum(q.x, product(s.x, half)) : 0.0f, shiftX);
      const float y = sum(pointSet ? sum(q.y, product(s.y, half)) : 0.0f, shiftY);
      if constexpr (kTextured) {
        strip.FlatTextured(x, y, x * texScale + texOffset.x, y * texScale + texOffset.y);
      } else {
        strip.Flat(x, y);
      }
    }
  };
  const Vec3 start = Along(band.P(i0 + 1), band.P(i0) - band.P(i0 + 1), band.g0);
  station(start, side[i0], (band.W(i0) - band.W(i0 + 1)) * band.g0 + band.W(i0 + 1));
  for (int i = i0 + 1; i <= i1 - 1; ++i) station(band.P(i), side[i], band.W(i));
  const Vec3 end = Along(band.P(i1 - 1), band.P(i1) - band.P(i1 - 1), band.g1);
  station(end, side[i1 - 1], (band.W(i1) - band.W(i1 - 1)) * band.g1 + band.W(i1 - 1));
  strip.Draw();
}

void DrawBand(const Band& band, double sideShift, bool textured, const Vec3& texOffset, double texScale) {
  if (textured) {
    DrawBandStrip<true>(band, sideShift, texOffset, texScale);
  } else {
    DrawBandStrip<false>(band, sideShift, texOffset, texScale);
  }
}

// One segment of the edge pass: its spline ends A and B, direction, side and half-width.
struct EdgeSegment {
  Vec3 a, d, s;
  double h;
};

template <typename Parameter, typename Each>
void ForEachEdgeSegment(const Band& band, Parameter parameter, Each each) {
  for (int i = band.i0 + 1; i <= band.i1 - 1; ++i) {
    EdgeSegment segment;
    Vec3 b;
    band.path.curve.Evaluate(float(parameter(i)), segment.a);
    band.path.curve.Evaluate(float(parameter(i + 1)), b);
    Frame(segment.a, b, segment.d, segment.s);
    segment.h = band.W(i);
    each(i, segment);
  }
}

void EdgeQuad(const EdgeSegment& e, double tabWidth, double sideShift) {
  const Vec3 inner = Along(e.a, e.s, e.h + sideShift), outer = Along(e.a, e.s, e.h + tabWidth + sideShift);
  for (const Vec3& v : {inner, Along(inner, e.d, 0.15), Along(outer, e.d, 0.15), outer})
    glVertex3f(v.x, v.y, v.z);
}

}  // namespace

RibbonPath::RibbonPath(const Curve& curve) : curve(curve) {}

const Vec3* RibbonPath::SidesThrough(int last) const {
  const int n = PointCount(curve);
  const auto point = [&](int i) -> const Vec3& { return curve.points[size_t(std::clamp(i, 0, n - 1))]; };
  for (int i = int(sides_.size()); i <= last; ++i) {
    Vec3 d;
    Frame(point(i), point(i + 1), d, sides_.emplace_back());
  }
  return sides_.data();
}

void DrawRibbonTextured(const RibbonPath& path, double t0, double t1, const Vec3& texOffset, double texScale,
                        double sideShift, double width, double edgeShift) {
  Band band{path, 0, 0, 0, 0, 0, 0};
  if (!PrepareBand(t0, t1, width, band)) return;
  DrawBand(band, sideShift, true, texOffset, texScale);
  if (edgeShift <= 0.001) return;

  glDisable(GL_TEXTURE_2D);
  const double n = band.count;
  const auto parameter = [edgeShift, n](int i) { return std::max(0.0, i + edgeShift - n); };
  glBegin(GL_QUADS);
  ForEachEdgeSegment(band, parameter,
                     [sideShift](int, const EdgeSegment& e) { EdgeQuad(e, 1.5, sideShift); });
  glEnd();

  // A grey rim a little off the band, its length and distance rippling with the station index.
  glBegin(GL_QUADS);
  ForEachEdgeSegment(band, parameter, [sideShift](int i, const EdgeSegment& e) {
    glColor3f(0.5f, 0.5f, 0.5f);
    const double r = e.h + std::sin(double(i)), g = 0.6 * (std::sin(double(i)) + 1);
    const Vec3 inner = Along(e.a, e.s, r + sideShift), outer = Along(e.a, e.s, r + 0.5 + sideShift);
    for (const Vec3& v :
         {Along(inner, e.d, 0.2), Along(inner, e.d, g), Along(outer, e.d, g), Along(outer, e.d, 0.2)}) {
      glVertex3f(v.x, v.y, v.z);
    }
  });
  glEnd();
}

void DrawRibbon(const RibbonPath& path, double t0, double t1, double sideShift, double width,
                double edgeShift) {
  Band band{path, 0, 0, 0, 0, 0, 0};
  if (!PrepareBand(t0, t1, width, band)) return;
  DrawBand(band, sideShift, false, Vec3(), 0.0);
  if (edgeShift <= 0.0) return;
  glBegin(GL_QUADS);
  ForEachEdgeSegment(
      band, [edgeShift](int i) { return i + edgeShift; },
      [sideShift](int, const EdgeSegment& e) { EdgeQuad(e, 2.0, sideShift); });
  glEnd();
}
