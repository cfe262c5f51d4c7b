#include "tools/capture/downsample.h"

#include <algorithm>
#include <cstddef>

void BoxDownsample(std::span<const uint8_t> rgb, int width, int height, int factor,
                   std::vector<uint8_t>& out) {
  const int outWidth = width / factor;
  const int outHeight = height / factor;
  const unsigned blockSize = unsigned(factor * factor);
  out.resize(size_t(outWidth) * outHeight * 3);
  // One output row at a time: the block's rows are summed column by column into `sums`.
  std::vector<unsigned> sums(size_t(outWidth) * 3);
  for (int y = 0; y < outHeight; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int row = 0; row < factor; ++row) {
      const uint8_t* in = &rgb[(size_t(y) * factor + row) * width * 3];
      for (int x = 0; x < outWidth; ++x) {
        unsigned* sum = &sums[size_t(x) * 3];
        for (int column = 0; column < factor; ++column, in += 3) {
          sum[0] += in[0];
          sum[1] += in[1];
          sum[2] += in[2];
        }
      }
    }
    uint8_t* to = &out[size_t(y) * outWidth * 3];
    for (size_t i = 0; i < sums.size(); ++i) to[i] = uint8_t((sums[i] + blockSize / 2) / blockSize);
  }
}
