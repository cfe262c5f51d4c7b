// Decodes an MP3 file with the show's decoder and writes its samples (16-bit stereo, native byte order),
// then the spectrum the scenes see every tenth of a second (512 floats each), to a file: built for the
// desktop and, run by node, for WebAssembly, so the web test can compare the two byte for byte.
#include <cstdio>

#include "timing/frequency_analyser.h"
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
  if (!out) return 1;
  bool written =
      std::fwrite(music->stereo.data(), sizeof(int16_t), music->stereo.size(), out) == music->stereo.size();
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  for (size_t end = 0; end < music->Frames() && written; end += kMusicRate / 10) {
    analyser.Analyse(music->mono, static_cast<long long>(end), spectrum);
    written = std::fwrite(spectrum.data(), sizeof(float), spectrum.size(), out) == spectrum.size();
  }
  return std::fclose(out) == 0 && written ? 0 : 1;
}
