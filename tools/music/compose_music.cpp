// velmora-compose: writes the show's music, "Slow Orbit", as an MP3.
//
//   velmora-compose OUT.mp3 [--soundfont PATH] [--seconds N]
//
// The piece is composed as events (piece.cpp), played offline through FluidSynth on a General MIDI
// soundfont and our own hat voice, faded, brought to the loudness players normalise to (-14 LUFS) with its
// true peaks limited below -1 dBTP, and encoded with LAME. The same soundfont and libraries give the same
// bytes on every run. --seconds renders only the first N seconds, for quick checks; such a render is
// brought to the target loudness on its own.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

#include "tools/music/mp3_writer.h"
#include "tools/music/render.h"
#include "tools/music/score.h"

namespace {

constexpr const char* kDefaultSoundfont = "/usr/share/sounds/sf3/MuseScore_General_Lite.sf3";
// Integrated loudness (EBU R128) and the limiter's true-peak ceiling. The MP3 measures about 0.3 LU lower
// than what it encodes and overshoots by up to a decibel between samples; the decoded file must read
// -14 LUFS and stay at or below -1 dBTP.
constexpr double kLoudnessLufs = -13.7;
constexpr double kCeilingDbtp = -2.0;
constexpr const char* kUsage = "usage: velmora-compose OUT.mp3 [--soundfont PATH] [--seconds N]";

struct Options {
  std::string output;
  std::string soundfont = kDefaultSoundfont;
  double seconds = kPieceSeconds;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--soundfont" && i + 1 < argc) {
      options.soundfont = argv[++i];
    } else if (arg == "--seconds" && i + 1 < argc) {
      try {
        size_t used = 0;
        options.seconds = std::stod(argv[++i], &used);
        if (used != std::string(argv[i]).size()) return false;
      } catch (const std::exception&) {
        return false;
      }
      if (!(options.seconds > 0.0 && options.seconds <= kPieceSeconds)) return false;
    } else if (!arg.empty() && arg[0] != '-' && options.output.empty()) {
      options.output = arg;
    } else {
      return false;
    }
  }
  return !options.output.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    Mp3Writer writer(options.output);
    const Score score = ComposeScore();
    const long long frames = std::llround(options.seconds * kMusicRate);
    std::vector<float> stereo = RenderScore(score, options.soundfont, frames);
    const double scale = MasterMix(stereo, score, kLoudnessLufs, std::pow(10.0, kCeilingDbtp / 20.0));
    writer.Write(stereo);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("velmora-compose: wrote %s (%.1f s of music, gain %.1f dB) in %.1f s\n",
                options.output.c_str(), options.seconds, 20.0 * std::log10(scale), elapsed);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "velmora-compose: %s\n", error.what());
    return 1;
  }
  return 0;
}
