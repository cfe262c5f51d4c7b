// One frame of the show at 1280 x 720 on a headless context (llvmpipe where there is no GPU), from the
// build directory's asset pack, through the compatibility profile and through the batched renderer:
// fast-forward to the instant, draw, and wait for the picture. With GALLIUM_NOOP=1 Mesa discards the work,
// and the CPU time left is what the drawing thread pays per frame.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <string>
#include <thread>

#include "bench/gl_counters.h"
#include "headless/headless_context.h"
#include "render/batched/batched_gl.h"
#include "render/gl_api.h"
#include "scenes/rows.h"
#include "show/frame_renderer.h"
#include "state/messages.h"

namespace {

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

void RenderFrame(benchmark::State& state, RendererChoice choice, int rowThreads = 0) {
  std::string error;
  auto context = OpenHeadlessRenderer(choice, kAutoGpu, error);
  StderrMessageSink messages;
  auto renderer = context ? FrameRenderer::Create(1280, 720, 1.0 / 60.0, messages) : nullptr;
  if (!renderer) {
    state.SkipWithError("no headless context or no asset pack in the working directory");
    return;
  }
  const double instant = double(state.range(0));
  const auto draw = [&] {
    renderer->RenderAt(instant);
    FlushBatchedGl();
  };
  UseRowThreads(rowThreads);
  state.counters["vertices"] = double(VerticesSubmitted(draw));
  state.counters["show_time"] = renderer->Show().showTime;
  const double processBefore = ProcessCpuSeconds();
  for (auto _ : state) {
    draw();
    glFinish();
  }
  // Every thread's CPU time, the drawing thread's and the row threads' (and Mesa's, with GALLIUM_NOOP small).
  state.counters["all_threads_ms"] = 1e3 * (ProcessCpuSeconds() - processBefore) / double(state.iterations());
  UseRowThreads(0);
}

// Demo clocks: the busiest instants of the first half (ribbons with 300 creatures; dials, strands and
// curtains; meanders, bundles and glyphs; spirals, towers and pictures), and those of the second.
void BusiestInstants(benchmark::internal::Benchmark* instants) {
  for (int clock : {10, 34, 64, 75, 97, 108, 118, 126, 134, 150, 176, 205, 212, 216, 222, 228})
    instants->Arg(clock);
  instants->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(RenderFrame, compat, RendererChoice::Compatibility)->Apply(BusiestInstants);
BENCHMARK_CAPTURE(RenderFrame, batched, RendererChoice::Batched)->Apply(BusiestInstants);
// The batched path with rows recorded on worker threads: one beside the drawing thread, or up to three where
// there are cores for them. The CPU column is still the drawing thread's alone; the time column is the
// frame's wall time.
const int kRowThreads = std::clamp(int(std::thread::hardware_concurrency()) - 1, 1, 3);
BENCHMARK_CAPTURE(RenderFrame, batched_rows, RendererChoice::Batched, kRowThreads)->Apply(BusiestInstants);

}  // namespace

BENCHMARK_MAIN();
