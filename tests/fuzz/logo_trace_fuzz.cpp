// libFuzzer target over the tracing of the logo picture into the start-up curves: the first two bytes give
// the picture's width and height (1 to 64), the rest its red bytes, row by row (missing ones are dark).
// Every traced point is a bright pixel of the picture, centred, and no pixel is walked twice.
#include <set>
#include <utility>
#include <vector>

#include "assets/logo_trace.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int width = data[0] % 64 + 1, height = data[1] % 64 + 1;
  const size_t pixels = size_t(width) * height;
  std::vector<uint8_t> rgb(pixels * 3, 0);
  for (size_t i = 0; i < pixels && 2 + i < size; ++i) rgb[3 * i] = data[2 + i];
  const std::vector<uint8_t> before = rgb;

  std::vector<Curve> curves;
  TraceLogo(rgb.data(), width, height, curves);

  size_t seeds = 0;
  for (size_t i = 0; i < pixels; ++i) seeds += before[3 * i] == 255;
  Check(curves.size() <= seeds, "every curve starts at a seed pixel");
  std::set<std::pair<int, int>> walked;
  for (const Curve& curve : curves) {
    Check(curve.count == int(curve.points.size()) && curve.count > 0, "a curve holds the points it counts");
    for (const Vec3& point : curve.points) {
      const int x = width / 2 - int(point.x), y = int(point.y) + height / 2;
      Check(x >= 0 && y >= 0 && x < width && y < height, "points are pixels of the picture");
      Check(before[3 * (size_t(y) * width + x)] > 200, "points are bright pixels");
      Check(rgb[3 * (size_t(y) * width + x)] == 128, "walked pixels are marked");
      Check(walked.emplace(x, y).second, "no pixel is walked twice");
    }
  }
  return 0;
}
