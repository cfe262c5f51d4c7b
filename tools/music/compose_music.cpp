// velmora-compose: writes the show's music, "Slow Orbit", as an MP3.
//
//   velmora-compose OUT.mp3 [--soundfont PATH] [--seconds N]
//
// The piece is composed as events (piece.cpp), played offline through FluidSynth on a General MIDI
// soundfont, faded, limited and normalised so that the decoded MP3 peaks near -1 dBFS, and encoded with
// LAME. The same soundfont and libraries give the same bytes on every run. --seconds renders only the
// first N seconds, for quick checks; such a render is normalised on its own peak, so it reads a little
// louder than the same span of the whole piece.
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
// The final peak, and how far the loudest hits are pushed into the limiter beyond it.
constexpr double kPeakDb = -2.0;  // the MP3 decodes about a decibel higher
constexpr double kDriveDb = 8.0;
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
    const long long frames = std::llround(options.seconds * kMusicSampleRate);
    std::vector<float> stereo = RenderScore(score, options.soundfont, frames);
    const double scale =
        MasterMix(stereo, score, std::pow(10.0, kPeakDb / 20.0), std::pow(10.0, kDriveDb / 20.0));
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
