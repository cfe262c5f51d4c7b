// The shape files' contents. Shapes are built in units (±1 spans the display), counter-clockwise with y
// up, and star-shaped or otherwise kept simple so that no contour crosses itself.
//
// The show numbers lists per glyph (base + glyph) and, for f3.txt, also per polygon (1000 + glyph +
// polygon, later glyphs replacing earlier numbers). f3.txt therefore holds a one-polygon glyph 0 and a
// glyph 1 of exactly 32 small shapes: drawn together they are one large garland (list 100), and one by one
// they are lists 1001 to 1032.
#include "tools/assets/shapes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "tools/assets/paint.h"

namespace assets {

namespace {

struct Point {
  double x, y;
};
using Contour = std::vector<Point>;

ShapePolygon ToPolygon(const Contour& contour) {
  ShapePolygon polygon;
  for (const Point& p : contour) {
    polygon.xy.push_back(int16_t(std::lround(std::clamp(p.x, -1.09, 1.09) * kShapeUnit)));
    polygon.xy.push_back(int16_t(std::lround(std::clamp(p.y, -1.09, 1.09) * kShapeUnit)));
  }
  // Filled contours run counter-clockwise.
  if (SignedArea(polygon) < 0) {
    const size_t n = polygon.xy.size() / 2;
    for (size_t i = 0; i < n / 2; ++i) {
      std::swap(polygon.xy[2 * i], polygon.xy[2 * (n - 1 - i)]);
      std::swap(polygon.xy[2 * i + 1], polygon.xy[2 * (n - 1 - i) + 1]);
    }
  }
  return polygon;
}

// A rounded blob: the radius wobbles with a few low harmonics, always staying positive.
Contour Blob(Lcg& rng, Point centre, double radius, int points, double wobble) {
  double amp[6], phase[6];
  for (int k = 0; k < 6; ++k) amp[k] = rng.Range(0, wobble) / (k + 1), phase[k] = rng.Range(0, 2 * kPi);
  Contour contour;
  for (int i = 0; i < points; ++i) {
    const double a = 2 * kPi * i / points;
    double r = 1;
    for (int k = 0; k < 6; ++k) r += amp[k] * std::sin((k + 2) * a + phase[k]);
    r = radius * std::max(0.3, r);
    contour.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
  }
  return contour;
}

// A leaf along the given angle: pointed at the tip, round at the stalk end, optionally toothed.
Contour Leaf(Point base, double length, double width, double angle, int points, double teeth) {
  Contour contour;
  const int half = points / 2;
  const double c = std::cos(angle), s = std::sin(angle);
  auto put = [&](double t, double side) {
    const double w = width * std::pow(std::sin(kPi * t), 0.9) * (1 - 0.3 * t) *
                     (1 + teeth * std::max(0.0, std::sin(t * kPi * 14)));
    const double u = t * length, v = side * w;
    contour.push_back({base.x + u * c - v * s, base.y + u * s + v * c});
  };
  for (int i = 0; i < half; ++i) put(double(i) / half, 1);
  for (int i = 0; i < half; ++i) put(1 - double(i) / half, -1);
  return contour;
}

// A splash: a disc with sharp spikes of varying length.
Contour Splash(Lcg& rng, Point centre, double radius, int spikes, int points) {
  std::vector<double> reach(spikes);
  for (double& r : reach) r = rng.Range(0.5, 1.0);
  const double turn = rng.Range(0, 2 * kPi);
  Contour contour;
  for (int i = 0; i < points; ++i) {
    const double a = 2 * kPi * i / points, f = a / (2 * kPi) * spikes;
    const int k = int(f) % spikes;
    const double local = f - std::floor(f);  // 0..1 across one spike
    const double peak = std::pow(1 - std::abs(local - 0.5) * 2, 3.0);
    const double r = radius * (0.45 + 0.55 * reach[k] * peak);
    contour.push_back({centre.x + r * std::cos(a + turn), centre.y + r * std::sin(a + turn)});
  }
  return contour;
}

// A shard: a few corners at random angles joined by straight, finely divided edges.
Contour Shard(Lcg& rng, Point centre, double radius, int corners) {
  std::vector<double> angles(corners);
  for (int i = 0; i < corners; ++i) angles[i] = (i + rng.Range(0.1, 0.9)) * 2 * kPi / corners;
  Contour contour;
  for (int i = 0; i < corners; ++i) {
    const double r = radius * rng.Range(0.55, 1.0);
    contour.push_back({centre.x + r * std::cos(angles[i]), centre.y + r * std::sin(angles[i])});
  }
  Contour fine;
  for (int i = 0; i < corners; ++i) {
    const Point a = contour[i], b = contour[(i + 1) % corners];
    for (int k = 0; k < 4; ++k) fine.push_back({a.x + (b.x - a.x) * k / 4, a.y + (b.y - a.y) * k / 4});
  }
  return fine;
}

// A crescent: an outer arc and a shallower inner arc back.
Contour Crescent(Point centre, double radius, int points) {
  Contour contour;
  for (int i = 0; i <= points / 2; ++i) {
    const double a = -kPi * 0.8 + 1.6 * kPi * i / (points / 2);
    contour.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
  for (int i = points / 2 - 1; i > 0; --i) {
    const double a = -kPi * 0.8 + 1.6 * kPi * i / (points / 2);
    const double r = radius * 0.75;
    contour.push_back({centre.x - radius * 0.3 + r * std::cos(a) * 1.05, centre.y + r * std::sin(a)});
  }
  return contour;
}

// A wavering flame or column rising from the bottom edge.
Contour Tongue(Lcg& rng, double x, double width, double bottom, double top, int points) {
  const double sway = rng.Range(0.05, 0.15), phase = rng.Range(0, 2 * kPi), waves = rng.Range(1.5, 3);
  Contour contour;
  const int half = points / 2;
  auto put = [&](double t, double side) {
    const double y = bottom + (top - bottom) * t;
    const double centre = x + sway * std::sin(phase + t * waves * kPi) * t;
    const double w = width * (1 - std::pow(t, 1.5)) * (0.8 + 0.2 * std::sin(t * 11 + phase));
    contour.push_back({centre + side * w, y});
  };
  for (int i = 0; i <= half; ++i) put(double(i) / half, 1);
  for (int i = half - 1; i > 0; --i) put(double(i) / half, -1);
  return contour;
}

ShapeGlyph Glyph(const std::vector<Contour>& contours) {
  ShapeGlyph glyph;
  for (const Contour& c : contours) glyph.push_back(ToPolygon(c));
  return glyph;
}

// The 32 small shapes of the f3.txt garland, strung along a widening spiral.
ShapeGlyph Garland() {
  Lcg rng(3003);
  std::vector<Contour> shapes;
  for (int k = 0; k < 32; ++k) {
    const double f = k / 31.0, a = 0.3 + f * 3.4 * kPi;
    const double r = 0.12 + 0.8 * f;
    const Point at{r * std::cos(a), r * std::sin(a)};
    const double size = 0.09 + 0.07 * f + rng.Range(0, 0.03);
    switch (k % 4) {
      case 0:
      case 2:
        shapes.push_back(Leaf({at.x - std::cos(a + 1.6) * size, at.y - std::sin(a + 1.6) * size}, size * 2,
                              size * rng.Range(0.35, 0.6), a + 1.6 + rng.Range(-0.4, 0.4), 48 + 4 * (k % 5),
                              k % 8 == 2 ? 0.12 : 0.0));
        break;
      case 1:
        shapes.push_back(Splash(rng, at, size, 5 + k % 5, 60 + 6 * (k % 4)));
        break;
      case 3:
        shapes.push_back(Shard(rng, at, size, 3 + k % 3));
        break;
    }
  }
  return Glyph(shapes);
}

template <typename T>
void Put(std::vector<uint8_t>& out, T value) {
  const size_t at = out.size();
  out.resize(at + sizeof(T));
  std::memcpy(out.data() + at, &value, sizeof(T));
}

template <typename T>
bool Take(const std::vector<uint8_t>& in, size_t& at, T& value) {
  if (in.size() - at < sizeof(T)) return false;
  std::memcpy(&value, in.data() + at, sizeof(T));
  at += sizeof(T);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeShapeFile(const std::vector<ShapeGlyph>& glyphs) {
  static_assert(std::endian::native == std::endian::little, "shape files are written little-endian");
  std::vector<uint8_t> out;
  Put(out, int32_t(0)), Put(out, int32_t(0)), Put(out, int32_t(glyphs.size()));
  for (const ShapeGlyph& glyph : glyphs) {
    Put(out, int32_t(glyph.size()));
    for (const ShapePolygon& polygon : glyph) {
      Put(out, int32_t(polygon.xy.size() / 2)), Put(out, polygon.depth);
      for (int16_t v : polygon.xy) Put(out, v);
    }
  }
  return out;
}

std::optional<std::vector<ShapeGlyph>> DecodeShapeFile(const std::vector<uint8_t>& bytes) {
  size_t at = 0;
  int32_t reserved, glyphCount;
  if (!Take(bytes, at, reserved) || !Take(bytes, at, reserved) || !Take(bytes, at, glyphCount)) return {};
  if (glyphCount < 0) return {};
  std::vector<ShapeGlyph> glyphs(static_cast<size_t>(glyphCount));
  for (ShapeGlyph& glyph : glyphs) {
    int32_t polygonCount;
    if (!Take(bytes, at, polygonCount) || polygonCount < 0) return {};
    glyph.resize(size_t(polygonCount));
    for (ShapePolygon& polygon : glyph) {
      int32_t vertexCount;
      if (!Take(bytes, at, vertexCount) || !Take(bytes, at, polygon.depth)) return {};
      if (vertexCount < 0 || vertexCount > kMaxShapePoints || bytes.size() - at < size_t(vertexCount) * 4) {
        return {};
      }
      polygon.xy.resize(size_t(vertexCount) * 2);
      for (int16_t& v : polygon.xy) Take(bytes, at, v);
    }
  }
  if (at != bytes.size()) return {};
  return glyphs;
}

double SignedArea(const ShapePolygon& polygon) {
  const size_t n = polygon.xy.size() / 2;
  double sum = 0;
  for (size_t i = 0; i < n; ++i) {
    const size_t j = (i + 1) % n;
    sum +=
        double(polygon.xy[2 * i]) * polygon.xy[2 * j + 1] - double(polygon.xy[2 * j]) * polygon.xy[2 * i + 1];
  }
  return sum / (kShapeUnit * kShapeUnit);
}

std::vector<ShapeFile> MakeShapeFiles() {
  Lcg rng(1001);
  std::vector<ShapeFile> files;

  // f.txt: list 1 is a cluster of separate blobs with room between them (the show scales it by up to 300
  // and stacks copies of it, so it must not fill its square); glyph 2 a single pebble.
  {
    std::vector<Contour> cluster;
    cluster.push_back(Blob(rng, {0.0, 0.05}, 0.3, 360, 0.35));
    const Point around[] = {{-0.62, 0.5}, {0.6, 0.55}, {-0.55, -0.6}, {0.62, -0.5}, {0.05, -0.8}};
    for (int i = 0; i < 5; ++i) cluster.push_back(Blob(rng, around[i], 0.55 * rng.Range(0.28, 0.38), 200, 0.3));
    files.push_back({"f.txt",
                     {Glyph({Blob(rng, {0, 0}, 0.1, 24, 0.2)}), Glyph(cluster),
                      Glyph({Blob(rng, {0, 0}, 0.4, 120, 0.25)})}});
  }
  // f2.txt: list 10 is a wall of wavering tongues side by side.
  {
    std::vector<Contour> wall;
    for (int i = 0; i < 7; ++i) {
      const double x = -0.9 + i * 0.3;
      wall.push_back(Tongue(rng, x, rng.Range(0.16, 0.24), -1.0, rng.Range(0.55, 1.0), 240));
    }
    files.push_back({"f2.txt",
                     {Glyph({Splash(rng, {0, 0}, 0.12, 6, 36)}), Glyph(wall),
                      Glyph({Tongue(rng, 0, 0.3, -0.8, 0.8, 160)})}});
  }
  // f3.txt: see the note at the top of this file.
  files.push_back({"f3.txt", {Glyph({Leaf({-0.1, 0}, 0.2, 0.07, 0, 32, 0)}), Garland()}});
  // f4.txt: small emblems.
  {
    files.push_back({"f4.txt",
                     {Glyph({Shard(rng, {0, 0}, 0.1, 4)}), Glyph({Crescent({0, 0}, 0.6, 200)}),
                      Glyph({Splash(rng, {0, 0}, 0.6, 8, 256)}),
                      Glyph({Leaf({-0.7, -0.1}, 1.4, 0.45, 0.2, 180, 0.06)})}});
  }
  return files;
}

}  // namespace assets
