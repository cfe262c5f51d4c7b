// Time to decode the whole music file at start-up, and to compute one frame's spectrum.
// Usage: music_decode_bench [--benchmark_...] (run in the directory that holds music/, e.g. the build
// directory)
#include <benchmark/benchmark.h>

#include "timing/music_decoder.h"
#include "timing/music_player.h"
#include "timing/frequency_analyser.h"

namespace {

void DecodeWholeMusicFile(benchmark::State& state) {
  for (auto _ : state) {
    auto music = DecodeMp3File(kMusicFile);
    if (!music) {
      state.SkipWithError("no music file in the working directory");
      return;
    }
    state.counters["seconds_of_music"] = double(music->Frames()) / kMusicRate;
    benchmark::DoNotOptimize(music->mono.data());
  }
}
BENCHMARK(DecodeWholeMusicFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void SpectrumOfOneFrame(benchmark::State& state) {
  std::vector<float> mono(kMusicRate);
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = float((i * 7919) % 2000) / 1000.0f - 1.0f;
  SpectrumAnalyser analyser;
  Spectrum spectrum;
  long long end = kSpectrumWindow;
  for (auto _ : state) {
    analyser.Analyse(mono, end, spectrum);
    end = end % (kMusicRate - 1) + 1;
    benchmark::DoNotOptimize(spectrum.data());
  }
}
BENCHMARK(SpectrumOfOneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
