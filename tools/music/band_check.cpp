// velmora-spectrum-check: what the show's spectrum sees in an MP3.
//
//   velmora-spectrum-check FILE.mp3 [--hop SECONDS] [--require FROM-TO]... [--length SECONDS]
//                          [--trace FROM-TO] [--max-line DB]
//
// The show reads, every frame, a 512-bin magnitude spectrum of the 1024 most recent samples of the music's
// mono mix (timing/frequency_analyser.h). Its pictures react to bin 2 (86 Hz: kick and bass) and bin 230
// (9.9 kHz: hi-hats). This tool decodes the file with the show's own decoder and reads that spectrum with the
// show's own analyser for frames `hop` seconds apart (default 1/60 s), and asks, for each half second of
// music (a beat at 120 bpm), what the show is sure to see there: the highest value in that half second for
// each of 8 evenly spaced frame phases, and the lowest of those 8. A short hat hit can fall between two
// frames' windows' sweet spots; a fixed sampling every half second would sit on the beat grid and keep
// landing just before the hits.
//
// It prints one row per 10 s: for each bin the highest value any frame saw, the median of the beats' sure
// values and how many beats are sure to exceed the level where the pictures begin to react (0.2 at bin 2,
// 0.03 at bin 230); and the RMS level of the mono mix.
//
// Last it prints the strongest tonal line of the long-term spectrum in 8-12 kHz, where the hats play
// (tonal_lines.h).
//
// --trace FROM-TO prints both bins for every analysed frame (all phases) in that span.
// --require FROM-TO (seconds) fails the check unless, over that span, every beat is sure to pass 0.03 at
// 9.9 kHz (a hat on every beat) and at least 90% of the beats 0.2 at 86 Hz (the bass line rests now and
// then). --max-line DB fails it when the tonal line stands more than DB above its neighbourhood. --length
// fails it unless the decoded length is exactly that many seconds. Exit status: 0 when all requirements
// hold, 1 when one fails or the file cannot be decoded, 2 on bad arguments.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "timing/frequency_analyser.h"
#include "timing/music_decoder.h"
#include "tools/music/tonal_lines.h"

namespace {

constexpr double kBassShare = 0.9;
constexpr int kBeatFrames = kMusicRate / 2;
constexpr double kLinesFrom = 8000.0, kLinesTo = 12000.0;  // Hz

struct Span {
  double from = 0.0, to = 0.0;
};

struct Options {
  std::string path;
  double hop = 1.0 / 60.0;
  std::vector<Span> required;
  double length = -1.0;
  Span trace;
  double max_line_db = -1.0;  // no limit
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    try {
      if (arg == "--hop" && i + 1 < argc) {
        options.hop = std::stod(argv[++i]);
        if (!(options.hop > 0.0)) return false;
      } else if (arg == "--length" && i + 1 < argc) {
        options.length = std::stod(argv[++i]);
      } else if (arg == "--require" && i + 1 < argc) {
        const std::string span = argv[++i];
        const size_t dash = span.find('-');
        if (dash == std::string::npos) return false;
        const Span s{std::stod(span.substr(0, dash)), std::stod(span.substr(dash + 1))};
        if (!(s.to > s.from)) return false;
        options.required.push_back(s);
      } else if (arg == "--trace" && i + 1 < argc) {
        const std::string span = argv[++i];
        const size_t dash = span.find('-');
        if (dash == std::string::npos) return false;
        options.trace = {std::stod(span.substr(0, dash)), std::stod(span.substr(dash + 1))};
      } else if (arg == "--max-line" && i + 1 < argc) {
        options.max_line_db = std::stod(argv[++i]);
        if (!(options.max_line_db >= 0.0)) return false;
      } else if (!arg.empty() && arg[0] != '-' && options.path.empty()) {
        options.path = arg;
      } else {
        return false;
      }
    } catch (const std::exception&) {
      return false;
    }
  }
  return !options.path.empty();
}

struct Levels {
  double bass = 0.0, hat = 0.0;
};

struct Beat {
  Levels best;  // the highest value any frame saw
  Levels sure;  // the highest value the worst frame phase saw
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(
        stderr,
        "usage: velmora-spectrum-check FILE.mp3 [--hop SECONDS] [--require FROM-TO]... [--length SECONDS]"
        " [--trace FROM-TO] [--max-line DB]\n");
    return 2;
  }
  const std::optional<DecodedMusic> music = DecodeMp3File(options.path);
  if (!music) {
    std::fprintf(stderr, "velmora-spectrum-check: cannot decode %s\n", options.path.c_str());
    return 1;
  }
  const std::vector<float>& mono = music->mono;
  const long long samples = static_cast<long long>(mono.size());
  std::printf("%s: %lld samples, %.3f s\n", options.path.c_str(), samples, double(samples) / kMusicRate);

  constexpr int kPhases = 8;
  std::vector<Beat> beats(static_cast<size_t>((samples + kBeatFrames - 1) / kBeatFrames));
  std::vector<std::array<Levels, kPhases>> by_phase(beats.size());
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  const double step = options.hop * kMusicRate / kPhases;
  for (long long frame = 1;; ++frame) {
    const long long end = std::llround(frame * step);
    if (end > samples) break;
    analyser.Analyse(mono, end, spectrum);
    const double bass = spectrum[kBassBin], hat = spectrum[kHatBin];
    const double seconds = double(end) / kMusicRate;
    if (seconds >= options.trace.from && seconds < options.trace.to) {
      std::printf("%9.4f s  bin %d %6.3f  bin %d %7.4f\n", seconds, kBassBin, bass, kHatBin, hat);
    }
    const size_t beat = static_cast<size_t>((end - 1) / kBeatFrames);
    Levels& phase = by_phase[beat][frame % kPhases];
    phase.bass = std::max(phase.bass, bass);
    phase.hat = std::max(phase.hat, hat);
    beats[beat].best.bass = std::max(beats[beat].best.bass, bass);
    beats[beat].best.hat = std::max(beats[beat].best.hat, hat);
  }
  for (size_t i = 0; i < beats.size(); ++i) {
    beats[i].sure = by_phase[i][0];
    for (const Levels& phase : by_phase[i]) {
      beats[i].sure.bass = std::min(beats[i].sure.bass, phase.bass);
      beats[i].sure.hat = std::min(beats[i].sure.hat, phase.hat);
    }
  }

  std::printf("%9s | %-27s | %-27s |\n", "", "bin 2 (86 Hz)", "bin 230 (9.9 kHz)");
  std::printf("%9s | %7s %7s  beats >%g | %7s %7s beats >%g | %s\n", "seconds", "max", "median", kBassFloor,
              "max", "median", kHatFloor, "RMS dBFS");
  constexpr size_t kRowBeats = 20;
  for (size_t row = 0; row * kRowBeats < beats.size(); ++row) {
    const size_t first = row * kRowBeats, last = std::min(beats.size(), first + kRowBeats);
    Levels best;
    std::vector<double> bass, hat;
    int bass_hits = 0, hat_hits = 0;
    for (size_t i = first; i < last; ++i) {
      best.bass = std::max(best.bass, beats[i].best.bass);
      best.hat = std::max(best.hat, beats[i].best.hat);
      bass.push_back(beats[i].sure.bass);
      hat.push_back(beats[i].sure.hat);
      bass_hits += beats[i].sure.bass > kBassFloor;
      hat_hits += beats[i].sure.hat > kHatFloor;
    }
    double energy = 0.0;
    const long long from = static_cast<long long>(first) * kBeatFrames;
    const long long to = std::min(samples, static_cast<long long>(last) * kBeatFrames);
    for (long long i = from; i < to; ++i) energy += double(mono[i]) * mono[i];
    const double rms = std::sqrt(energy / double(to - from));
    const int count = static_cast<int>(last - first);
    std::printf("%4zu-%-4zu | %7.3f %7.3f %7d/%-3d | %7.4f %7.4f %7d/%-3d | %7.1f\n", row * 10, row * 10 + 10,
                best.bass, Median(bass), bass_hits, count, best.hat, Median(hat), hat_hits, count,
                rms > 0.0 ? 20.0 * std::log10(rms) : -999.0);
  }

  const TonalLine line = StrongestLine(mono, kLinesFrom, kLinesTo);
  std::printf("strongest tonal line in %g-%g kHz: %.1f dB above its neighbourhood at %.0f Hz\n",
              kLinesFrom / 1000, kLinesTo / 1000, line.excess_db, line.frequency);
  bool ok = true;
  if (options.max_line_db >= 0.0 && line.excess_db > options.max_line_db) {
    std::printf("FAIL: a tonal line %.1f dB above its neighbourhood (at most %g allowed)\n", line.excess_db,
                options.max_line_db);
    ok = false;
  }
  if (options.length >= 0.0 && samples != std::llround(options.length * kMusicRate)) {
    std::printf("FAIL: decoded length %lld samples, expected %lld\n", samples,
                std::llround(options.length * kMusicRate));
    ok = false;
  }
  for (const Span& span : options.required) {
    const size_t first = static_cast<size_t>(std::llround(span.from * 2.0));
    const size_t last = std::min(beats.size(), static_cast<size_t>(std::llround(span.to * 2.0)));
    int bass = 0, hat = 0, count = 0;
    for (size_t i = first; i < last; ++i, ++count) {
      bass += beats[i].sure.bass > kBassFloor;
      hat += beats[i].sure.hat > kHatFloor;
    }
    const bool held = count > 0 && bass >= kBassShare * count && hat == count;
    std::printf("%s: %g-%g s, of %d beats %d are sure to pass %g at 86 Hz and %d %g at 9.9 kHz\n",
                held ? "ok" : "FAIL", span.from, span.to, count, bass, kBassFloor, hat, kHatFloor);
    ok = ok && held;
  }
  return ok ? 0 : 1;
}
