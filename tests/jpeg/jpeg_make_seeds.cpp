// jpeg_make_seeds DIR: writes small valid JPEG files in every layout and coding, the fuzzer's seeds.
#include <cstdio>
#include <string>

#include "tests/jpeg/jpeg_test_support.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: jpeg_make_seeds DIR\n");
    return 2;
  }
  const int32_t sampling[][3] = {{1, 1, 1}, {3, 1, 1}, {3, 2, 1}, {3, 1, 2}, {3, 2, 2}};
  int32_t count = 0;
  for (const auto& layout : sampling)
    for (int32_t mode = 0; mode < 4; mode++) {
      TestPicture picture = MakePicture(13 + 4 * mode, 11 + 3 * layout[1], layout[0], uint32_t(count));
      EncodeOptions options;
      options.lumaH = layout[1];
      options.lumaV = layout[2];
      options.progressive = mode & 1;
      options.restartInterval = mode & 2 ? 1 : 0;
      options.quality = mode == 3 ? 10 : 70;
      options.forceBaseline = mode != 3;
      std::vector<uint8_t> jpeg = EncodeWithLibjpeg(picture, options);
      std::string path = std::string(argv[1]) + "/seed" + std::to_string(count++) + ".jpg";
      FILE* file = std::fopen(path.c_str(), "wb");
      if (!file || std::fwrite(jpeg.data(), 1, jpeg.size(), file) != jpeg.size()) return 1;
      std::fclose(file);
    }
  return 0;
}
