#include "tools/assets/logo.h"

#include <cmath>
#include <cstdlib>
#include <functional>

namespace assets {

namespace {

struct Pixel {
  int x, y;
};

bool Touching(Pixel a, Pixel b) {
  return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

// Samples curve(t) for t in [0, 1] into an 8-connected chain of distinct pixels without corner steps: a
// pixel whose two chain neighbours already touch each other is dropped, so a walker never has a choice
// between a pixel and its diagonal shortcut.
std::vector<Pixel> Rasterise(const std::function<void(double, double&, double&)>& curve) {
  std::vector<Pixel> chain;
  for (int i = 0; i <= 2000; ++i) {
    double x, y;
    curve(i / 2000.0, x, y);
    const Pixel p{int(std::lround(x)), int(std::lround(y))};
    if (!chain.empty() && chain.back().x == p.x && chain.back().y == p.y) continue;
    // Fill any gap with a straight run (the samples are dense, so gaps are at most a pixel or two).
    while (!chain.empty() && !Touching(chain.back(), p)) {
      Pixel q = chain.back();
      q.x += (p.x > q.x) - (p.x < q.x), q.y += (p.y > q.y) - (p.y < q.y);
      chain.push_back(q);
    }
    chain.push_back(p);
  }
  std::vector<Pixel> thin;
  for (const Pixel& p : chain) {
    while (thin.size() >= 2 && Touching(thin[thin.size() - 2], p)) thin.pop_back();
    thin.push_back(p);
  }
  return thin;
}

void Bezier(double t, const double (&c)[8], double& x, double& y) {
  const double u = 1 - t, a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
  x = a * c[0] + b * c[2] + d * c[4] + e * c[6];
  y = a * c[1] + b * c[3] + d * c[5] + e * c[7];
}

}  // namespace

Image Logo() {
  std::vector<std::function<void(double, double&, double&)>> strokes;
  // O: a tall ellipse, leaning slightly, closed on itself.
  strokes.push_back([](double t, double& x, double& y) {
    const double a = 2 * kPi * t - kPi / 2;
    x = 24 + 14 * std::cos(a) + 2 * std::sin(a);
    y = 58 + 22 * std::sin(a);
  });
  // s: two bends.
  strokes.push_back([](double t, double& x, double& y) {
    const double upper[8] = {58, 59, 53, 52, 42, 56, 50, 67}, lower[8] = {50, 67, 58, 73, 57, 83, 43, 78};
    if (t < 0.5)
      Bezier(t * 2, upper, x, y);
    else
      Bezier(t * 2 - 1, lower, x, y);
  });
  // k: the stem, the arm meeting it, and the leg leaving the arm.
  strokes.push_back([](double t, double& x, double& y) { x = 66, y = 36 + 44 * t; });
  strokes.push_back([](double t, double& x, double& y) { x = 78 - 11 * t, y = 56 + 13 * t; });
  strokes.push_back([](double t, double& x, double& y) { x = 71 + 8 * t, y = 66 + 14 * t; });
  // e: the bar, then the bowl round from its right end.
  strokes.push_back([](double t, double& x, double& y) {
    if (t < 0.2) {
      x = 85 + 15 * t / 0.2, y = 68;
    } else {
      const double a = (t - 0.2) / 0.8 * 1.75 * kPi;
      x = 92.5 + 7.5 * std::cos(a), y = 68 - 9 * std::sin(a);
    }
  });
  // l: a tall stem with a small foot.
  strokes.push_back([](double t, double& x, double& y) {
    if (t < 0.8) {
      x = 110, y = 36 + 42 * t / 0.8;
    } else {
      const double a = kPi - (t - 0.8) / 0.2 * kPi / 2;
      x = 113 + 3 * std::cos(a), y = 78 + 2 * std::sin(a);
    }
  });
  // A wavy rule underneath.
  strokes.push_back(
      [](double t, double& x, double& y) { x = 10 + 108 * t, y = 96 + 3 * std::sin(t * 2 * kPi * 3.5); });
  Image image{kLogoSize, kLogoSize, std::vector<uint8_t>(kLogoSize * kLogoSize * 3, 0)};
  for (const auto& stroke : strokes) {
    for (const Pixel& p : Rasterise(stroke)) {
      uint8_t* q = image.At(p.x, p.y);
      q[0] = q[1] = q[2] = 255;
    }
  }
  return image;
}

TraceCount TraceStrokes(std::vector<uint8_t> red, int width, int height) {
  static constexpr int kStep[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
  TraceCount count;
  for (int sy = 0; sy < height; ++sy) {
    for (int sx = 0; sx < width; ++sx) {
      if (red[size_t(sy) * width + sx] != 255) continue;
      ++count.curves;
      int x = sx, y = sy;
      for (;;) {
        red[size_t(y) * width + x] = 128;
        ++count.points;
        bool moved = false;
        for (const auto& step : kStep) {
          const int nx = x + step[0], ny = y + step[1];
          if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
          if (red[size_t(ny) * width + nx] > 200) {
            x = nx, y = ny, moved = true;
            break;
          }
        }
        if (!moved) break;
      }
    }
  }
  return count;
}

bool BorderIsDark(const std::vector<uint8_t>& red, int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool edge = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
      if (edge && red[size_t(y) * width + x] > 200) return false;
    }
  }
  return true;
}

}  // namespace assets
