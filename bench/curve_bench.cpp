// Curve evaluation, the hot path of every ribbon and tube, and the start-up curve build.
#include <benchmark/benchmark.h>

#include "assets/startup_curves.h"

namespace {

Curve Walker(bool closed) {
  ShowCurves curves;
  BuildStartupCurves(curves);
  Curve curve = curves.pools[6][10];
  curve.closed = closed;
  return curve;
}

void Evaluate(benchmark::State& state, bool closed) {
  const Curve curve = Walker(closed);
  const float span = float(curve.count);
  float t = 0.0f;
  Vec3 out;
  for (auto _ : state) {
    curve.Evaluate(t, out);
    benchmark::DoNotOptimize(out);
    t += 0.37f;
    if (t > span) t -= span;
  }
}
BENCHMARK_CAPTURE(Evaluate, open, false);
BENCHMARK_CAPTURE(Evaluate, closed, true);

void BuildAllStartupCurves(benchmark::State& state) {
  for (auto _ : state) {
    ShowCurves curves;
    BuildStartupCurves(curves);
    benchmark::DoNotOptimize(curves.pools[8][199].count);
  }
}
BENCHMARK(BuildAllStartupCurves)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
