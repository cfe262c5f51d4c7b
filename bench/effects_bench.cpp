// The heaviest effect renderers, one call each, drawn on a headless context (llvmpipe where there is no GPU)
// into a small offscreen target and waited for, so that the time covers curve evaluation, the GL calls and
// the drawing; with GALLIUM_NOOP=1 Mesa discards the drawing and what is left is the CPU's part. The
// `vertices` counter is how many vertices one call hands the driver, where it counts them (not under
// GALLIUM_NOOP; on the compatibility path these are the core's own vertices).
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <map>
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
#include "render/batched/batched_gl.h"
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

const Vec3 kRight(kVecValid, 1, 0, 0);

// One context and one 256 x 256 target for each path, viewing -40 ... 40, for the whole run; the path's
// renderer is installed again when the benchmarks turn to it.
bool OpenCanvas(RendererChoice choice) {
  struct Canvas {
    std::unique_ptr<HeadlessContext> context;
    OffscreenTarget target;
  };
  static std::map<RendererChoice, Canvas> canvases;
  static RendererChoice current = RendererChoice::Auto;
  if (current == choice) return true;
  UninstallBatchedGl();
  Canvas& canvas = canvases[choice];
  std::string error;
  if (!canvas.context) {
    canvas.context = OpenHeadlessRenderer(choice, kAutoGpu, error);
    if (!canvas.context ||
        CreateOffscreenTarget(canvas.target, 256, 256, QueryOffscreenSupport()) == OffscreenOutcome::Failed) {
      return false;
    }
  } else {
    canvas.context->MakeCurrent();
    if (choice != RendererChoice::Compatibility && !InstallBatchedGl(FlavourFor(choice), error)) return false;
  }
  current = choice;
  MakeOffscreenTargetCurrent(canvas.target);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-40, 40, -40, 40, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  return true;
}

void Renderer(benchmark::State& state, RendererChoice choice, const std::function<void()>& draw) {
  if (!OpenCanvas(choice)) {
    state.SkipWithError("no headless OpenGL context");
    return;
  }
  const auto call = [&draw] {
    RandomSeed(4321);
    glPushMatrix();
    draw();
    glPopMatrix();
    FlushBatchedGl();
  };
  state.counters["vertices"] = double(VerticesSubmitted(call));
  for (auto _ : state) {
    call();
    glFinish();
  }
}

const double kTime = 123.4;

// Each renderer through the compatibility profile and through the batched renderer.
#define EFFECT(name, ...)                                                                         \
  BENCHMARK_CAPTURE(Renderer, name##_compat, RendererChoice::Compatibility, [] { __VA_ARGS__; }); \
  BENCHMARK_CAPTURE(Renderer, name##_batched, RendererChoice::Batched, [] { __VA_ARGS__; })

EFFECT(DrawMeanderA, DrawMeanderA(kTime, false));
EFFECT(DrawMeanderB_dials, DrawMeanderB(kTime, true));
EFFECT(DrawMeanderC, DrawMeanderC(kTime));
EFFECT(DrawSpiralFigure_30_creatures, DrawSpiralFigure(200.0));
EFFECT(DrawGlyphFigure, DrawGlyphFigure(kTime, 1.0));
EFFECT(DrawDialB, DrawDialB(kTime, false));
EFFECT(DrawCreatureC, DrawCreatureC(Coil(), 50.0));
EFFECT(DrawCreatureA, DrawCreatureA(Coil(), 50.0, 1, 1, 1, true));
EFFECT(DrawTaperedStroke, DrawTaperedStroke(Coil(), 50.0));
EFFECT(DrawCurlStrip_100,
       for (int i = 0; i < 100; ++i) DrawCurlStrip(Coil().points[size_t(i)], kRight, 0.1 * i));
EFFECT(DrawRibbon_245_plain, DrawRibbon(Coil(), 0, 245, 0, 0.5, -1));
EFFECT(DrawRibbonTextured_245_edge, DrawRibbonTextured(Coil(), 0, 245, Vec3(), 0.1, 0, 0.5, 245));

}  // namespace

BENCHMARK_MAIN();
