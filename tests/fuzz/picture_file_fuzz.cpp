// libFuzzer target over the pack's pictures as the show loads them (decoded with its own decoder and turned
// by 180 degrees) and as the pack's checker reads them back. A file is either refused with one message
// naming it, or delivered whole; both readers accept the same files and see the same pixels.
#include <cstring>

#include "assets/textures.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/recording_messages.h"
#include "tools/assets/pack_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchFile file("picture.jpg");
  const std::string& path = file.Write(data, size);
  RecordingMessages messages;
  int width = -1, height = -1;
  const auto turned = LoadJpegRgb(messages, path, width, height);
  std::string error;
  const auto checked = assets::DecodePicture(path, error);
  Check(turned.has_value() == checked.has_value(), "the show and the pack's checker accept the same files");
  if (!turned) {
    Check(messages.shown == std::vector<std::string>{path}, "a refused picture is named in one message");
    return 0;
  }
  Check(messages.shown.empty(), "a picture delivered whole says nothing");
  Check(width == checked->width && height == checked->height && width > 0 && height > 0, "the same size");
  const size_t pixels = size_t(width) * height;
  Check(turned->size() == pixels * 3 && checked->rgb.size() == pixels * 3, "three bytes a pixel");
  for (size_t i = 0; i < pixels; ++i) {
    Check(std::memcmp(&turned->data()[3 * i], &checked->rgb[3 * (pixels - 1 - i)], 3) == 0,
          "the show's picture is the checker's turned by 180 degrees");
  }
  return 0;
}
