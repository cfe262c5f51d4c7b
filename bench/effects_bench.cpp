// The heaviest effect renderers, one call each, drawn on a headless context (llvmpipe where there is no GPU)
// into a small offscreen target and waited for, so that the time covers curve evaluation, the GL calls and
// the drawing. The `vertices` counter is how many vertices one call submits.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "bench/gl_counters.h"
#include "effects/creatures.h"
#include "effects/dials.h"
#include "effects/meanders.h"
#include "effects/pen_figures.h"
#include "effects/ribbons.h"
#include "effects/strokes.h"
#include "headless/headless_context.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "state/messages.h"

namespace {

// A coil of 245 points about one unit apart, as long as the spiral figure's path.
const Curve& Coil() {
  static const Curve coil = [] {
    Curve curve;
    curve.closed = false;
    for (int i = 0; i < 245; ++i) {
      const double angle = 0.12 * i, radius = 2 + 0.1 * i;
      curve.Append(Vec3(kVecValid, float(radius * std::cos(angle)), float(radius * std::sin(angle)), 0));
    }
    return curve;
  }();
  return coil;
}

// One context and one 256 x 256 target, viewing -40 ... 40, for the whole run.
bool OpenCanvas() {
  static std::unique_ptr<HeadlessContext> context;
  static OffscreenTarget target;
  if (context) return true;
  std::string error;
  context = HeadlessContext::Create(error);
  if (!context ||
      CreateOffscreenTarget(target, 256, 256, QueryOffscreenSupport()) == OffscreenOutcome::Failed)
    return false;
  MakeOffscreenTargetCurrent(target);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-40, 40, -40, 40, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  return true;
}

void Renderer(benchmark::State& state, const std::function<void()>& draw) {
  if (!OpenCanvas()) {
    state.SkipWithError("no headless OpenGL context");
    return;
  }
  const auto call = [&draw] {
    RandomSeed(4321);
    glPushMatrix();
    draw();
    glPopMatrix();
  };
  state.counters["vertices"] = double(VerticesSubmitted(call));
  for (auto _ : state) {
    call();
    glFinish();
  }
}

const double kTime = 123.4;

BENCHMARK_CAPTURE(Renderer, DrawMeanderA, [] { DrawMeanderA(kTime, false); });
BENCHMARK_CAPTURE(Renderer, DrawMeanderB_dials, [] { DrawMeanderB(kTime, true); });
BENCHMARK_CAPTURE(Renderer, DrawMeanderC, [] { DrawMeanderC(kTime); });
BENCHMARK_CAPTURE(Renderer, DrawSpiralFigure_30_creatures, [] { DrawSpiralFigure(200.0); });
BENCHMARK_CAPTURE(Renderer, DrawGlyphFigure, [] { DrawGlyphFigure(kTime, 1.0); });
BENCHMARK_CAPTURE(Renderer, DrawDialB, [] { DrawDialB(kTime, false); });
BENCHMARK_CAPTURE(Renderer, DrawCreatureC, [] { DrawCreatureC(Coil(), 50.0); });
BENCHMARK_CAPTURE(Renderer, DrawCreatureA, [] { DrawCreatureA(Coil(), 50.0, 1, 1, 1, true); });
BENCHMARK_CAPTURE(Renderer, DrawTaperedStroke, [] { DrawTaperedStroke(Coil(), 50.0); });
BENCHMARK_CAPTURE(Renderer, DrawRibbonTextured_245_edge,
                  [] { DrawRibbonTextured(Coil(), 0, 245, Vec3(), 0.1, 0, 0.5, 245); });

}  // namespace

BENCHMARK_MAIN();
