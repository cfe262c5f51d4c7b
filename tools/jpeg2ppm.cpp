// jpeg2ppm FILE.jpg [OUT.ppm]: decodes a JPEG file with the show's decoder, prints what it found and
// writes the picture as PPM (PGM for grey). On failure prints the status code and its meaning and
// exits with 1 (2 for usage and file errors).
#include <cstdio>
#include <vector>

#include "assets/jpeg/jpeg_decoder.h"

namespace {

const char* LayoutName(JpegLayout layout) {
  switch (layout) {
    case JpegLayout::Gray:
      return "Gray";
    case JpegLayout::H1V1:
      return "H1V1";
    case JpegLayout::H2V1:
      return "H2V1";
    case JpegLayout::H1V2:
      return "H1V2";
    case JpegLayout::H2V2:
      return "H2V2";
  }
  return "?";
}

int Fail(int32_t code) {
  std::printf("error %d: %s\n", code, JpegStatusText(code));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: jpeg2ppm FILE.jpg [OUT.ppm]\n");
    return 2;
  }
  JpegFileStream stream;
  if (!stream.open(argv[1])) {
    std::fprintf(stderr, "jpeg2ppm: cannot open %s\n", argv[1]);
    return 2;
  }
  JpegDecoder decoder(stream);
  if (decoder.status() != 0) return Fail(decoder.status());
  if (decoder.beginDecoding() != 0) return Fail(decoder.status());
  bool grey = decoder.layout() == JpegLayout::Gray;
  std::printf("width %d\nheight %d\nlayout %s\nprogressive %s\n", decoder.width(), decoder.height(),
              LayoutName(decoder.layout()), decoder.progressive() ? "yes" : "no");

  int32_t channels = grey ? 1 : 3;
  std::vector<uint8_t> picture(size_t(decoder.width()) * decoder.height() * channels);
  for (int32_t y = 0; y < decoder.height(); y++) {
    const uint8_t* line = nullptr;
    uint32_t lineBytes = 0;
    if (decoder.decodeLine(line, lineBytes) != 0) return Fail(decoder.status());
    uint8_t* out = picture.data() + size_t(y) * decoder.width() * channels;
    for (int32_t x = 0; x < decoder.width(); x++)
      for (int32_t c = 0; c < channels; c++) out[x * channels + c] = line[x * decoder.bytesPerPixel() + c];
  }
  if (argc < 3) return 0;
  FILE* file = std::fopen(argv[2], "wb");
  if (!file) {
    std::fprintf(stderr, "jpeg2ppm: cannot write %s\n", argv[2]);
    return 2;
  }
  std::fprintf(file, "P%c\n%d %d\n255\n", grey ? '5' : '6', decoder.width(), decoder.height());
  bool written = std::fwrite(picture.data(), 1, picture.size(), file) == picture.size();
  written = std::fclose(file) == 0 && written;
  if (!written) {
    std::fprintf(stderr, "jpeg2ppm: cannot write %s\n", argv[2]);
    return 2;
  }
  return 0;
}
