#include "assets/logo_trace.h"

#include <cstddef>

namespace {

constexpr uint8_t kSeed = 255;
constexpr uint8_t kBrightAbove = 200;
constexpr uint8_t kVisited = 128;

// The neighbours in the order the walk tries them: up, then clockwise.
constexpr int kSteps[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};

struct Picture {
  uint8_t* pixels;
  int width;
  int height;
  uint8_t& Red(int x, int y) const { return pixels[(size_t(y) * width + x) * 3]; }
  bool IsBright(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && Red(x, y) > kBrightAbove;
  }
};

void Walk(const Picture& picture, int x, int y, Curve& curve) {
  for (;;) {
    picture.Red(x, y) = kVisited;
    curve.Append(Vec3(kVecValid, float(picture.width / 2 - x), float(y - picture.height / 2), 0.0f));
    bool moved = false;
    for (const auto& step : kSteps) {
      if (picture.IsBright(x + step[0], y + step[1])) {
        x += step[0], y += step[1];
        moved = true;
        break;
      }
    }
    if (!moved) return;
  }
}

}  // namespace

void TraceLogo(uint8_t* pixels, int& width, int& height, std::vector<Curve>& curves) {
  if (!pixels || width <= 0 || height <= 0) return;
  const Picture picture{pixels, width, height};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (picture.Red(x, y) != kSeed) continue;
      Curve& curve = curves.emplace_back(1);
      curve.closed = true;
      Walk(picture, x, y, curve);
    }
  }
}
