// Runs velmora with the command line given and writes the first picture it shows to the PNG file named by
// $VELMORA_FIRST_FRAME, then ends at once: where the show starts (--from) is checked against velmora-frame.
#include <cstdio>
#include <cstdlib>

#include "desktop/live_show.h"
#include "cli/png_file.h"

int main(int argc, char** argv) {
  const char* path = std::getenv("VELMORA_FIRST_FRAME");
  if (!path) {
    std::fprintf(stderr, "first_frame_png: set VELMORA_FIRST_FRAME to the PNG to write\n");
    return 2;
  }
  return RunVelmora(argc, argv, {.afterFirstSwap = [path](const OffscreenTarget& target) {
                      const bool written =
                          WritePng(path, ReadOffscreenPixels(target), target.width, target.height);
                      std::_Exit(written ? 0 : 1);
                    }});
}
