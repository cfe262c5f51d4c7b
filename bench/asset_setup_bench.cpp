// The whole start-up set-up of the show on its own asset pack: shapes, logo, textures and curves, on a
// headless GL context. Run from the build directory (it reads textures/ from the working directory).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "assets/asset_setup.h"
#include "headless/headless_context.h"
#include "render/gl_api.h"
#include "show/show_object.h"

namespace {

class QuietMessages : public MessageSink {
 public:
  void Show(const MessageText& message) override {
    std::fprintf(stderr, "%s\n", std::string(message.text).c_str());
  }
  bool AskYesNo(const MessageText&) override { return false; }
};

void SetUpShow(benchmark::State& state) {
  std::string error;
  auto context = HeadlessContext::Create(error);
  if (!context) {
    state.SkipWithError(error.c_str());
    return;
  }
  QuietMessages messages;
  for (auto _ : state) {
    DemoState demo;
    ShowObject show;
    if (!show.SetUp(demo, messages)) {
      state.SkipWithError("the asset pack is not in the working directory");
      return;
    }
    glFinish();
    state.PauseTiming();
    for (uint32_t name : demo.textures.names) {
      if (name) glDeleteTextures(1, &name);
    }
    glDeleteLists(1, 2000);
    state.ResumeTiming();
  }
}
BENCHMARK(SetUpShow)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
