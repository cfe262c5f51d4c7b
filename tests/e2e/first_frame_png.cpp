// Runs velmora with the command line given and writes the first picture it shows to the PNG file named by
// $VELMORA_FIRST_FRAME and the demo clock it was drawn at, in seconds, to standard output, then ends at once:
// where the show starts (--from) is checked against velmora-frame at that very clock, however long start-up
// took on a busy machine.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cli/png_file.h"
#include "desktop/live_show.h"

int main(int argc, char** argv) {
  const char* path = std::getenv("VELMORA_FIRST_FRAME");
  if (!path) {
    std::fprintf(stderr, "first_frame_png: set VELMORA_FIRST_FRAME to the PNG to write\n");
    return 2;
  }
  std::vector<uint8_t> pixels;
  int width = 0, height = 0;
  const auto keepPicture = [&](const OffscreenTarget& target) {
    pixels = ReadOffscreenPixels(target);
    width = target.width;
    height = target.height;
  };
  // Runs right after keepPicture, for the same frame.
  const auto writeAndEnd = [&](const DemoState& state) {
    std::printf("%.17g\n", state.demoClock);
    std::fflush(stdout);
    std::_Exit(WritePng(path, pixels, width, height) ? 0 : 1);
  };
  return RunVelmora(argc, argv, {.afterFirstSwap = keepPicture, .afterEachSwap = writeAndEnd});
}
