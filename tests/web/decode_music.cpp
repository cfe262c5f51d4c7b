// Decodes an MP3 file with the show's decoder and writes its samples (16-bit stereo, native byte order) to a
// file: built for the desktop and, run by node, for WebAssembly, so the web test can compare the two.
#include <cstdio>

#include "timing/music_decoder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: decode_music IN.mp3 OUT.raw\n");
    return 2;
  }
  const auto music = DecodeMp3File(argv[1]);
  if (!music) {
    std::fprintf(stderr, "decode_music: no MP3 audio in %s\n", argv[1]);
    return 1;
  }
  FILE* out = std::fopen(argv[2], "wb");
  const bool written = out && std::fwrite(music->stereo.data(), sizeof(int16_t), music->stereo.size(), out) ==
                                  music->stereo.size();
  if (out) std::fclose(out);
  return written ? 0 : 1;
}
