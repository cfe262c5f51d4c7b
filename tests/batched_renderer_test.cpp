// The batched renderer on an OpenGL 3.3 core context against the compatibility profile: the golden frames
// hold on it, the core hands both the very same vertex stream, and a call outside the subset is named.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "headless/headless_context.h"
#include "render/batched/batched_gl.h"
#include "scenes/rows.h"
#include "show/frame_renderer.h"
#include "tests/gl_fixture.h"
#include "tests/golden_compare.h"
#include "tests/recording_messages.h"
#include "tests/scratch_pack.h"
#include "tests/vertex_stream_recorder.h"
#include "cli/png_file.h"

namespace {

namespace fs = std::filesystem;

// The batched path may stray further on one thing: where thin lines and the thin lines of the pattern
// textures land. Its vertices are transformed on the CPU, the compatibility profile's by llvmpipe's JIT
// (with fused multiply-adds), so a line's end can cross a pixel's edge one way here and the other way
// there; such pixels are far off but few (up to 1.1 % of a busy frame), and the mean stays under half a
// level. Colours ride as 8 bits a channel, which moves a multiplied texel by at most one level.
constexpr double kBatchedFarFraction = 0.015;

// The batched renderer's own context, made once and kept, as the shared one is.
HeadlessContext* BatchedContext() {
  static HeadlessContext* context = [] {
    std::string error;
    return HeadlessContext::Create(error, kAutoGpu, GlProfile::Core33).release();
  }();
  return context;
}

// An OpenGL ES 3.0 context, made once and kept as well (destroying one would end the EGL display the
// others share).
HeadlessContext* EsContext() {
  static HeadlessContext* context = [] {
    std::string error;
    return HeadlessContext::Create(error, kAutoGpu, GlProfile::Es30).release();
  }();
  return context;
}

class BatchedRendererTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    if (!BatchedContext()) GTEST_SKIP() << "no OpenGL 3.3 core context here";
    BatchedContext()->MakeCurrent();
    std::string error;
    if (!InstallBatchedGl(BatchedFlavour::Core33, error)) GTEST_SKIP() << error;
    if (BatchedContext()->Renderer().find("llvmpipe") == std::string::npos)
      GTEST_SKIP() << "the reference frames were drawn by llvmpipe";
    pack_ = std::make_unique<ScratchPack>();
  }
  void TearDown() override {
    renderer_.reset();
    UninstallBatchedGl();
  }

  std::unique_ptr<ScratchPack> pack_;
  RecordingMessages messages_;
  std::unique_ptr<FrameRenderer> renderer_;
};

TEST_F(BatchedRendererTest, TheGoldenFramesHoldOnTheBatchedPath) {
  renderer_ = FrameRenderer::Create(kGoldenWidth, kGoldenHeight, 1.0 / 60.0, messages_);
  ASSERT_NE(renderer_, nullptr);
  for (const auto& [half, clocks] :
       {std::pair{"first_half", kFirstHalfClocks}, {"second_half", kSecondHalfClocks}}) {
    for (double clock : clocks) {
      renderer_->RenderAt(clock);
      const auto pixels = renderer_->ReadPixels();
      const std::string name = NameOf(half, clock);
      std::vector<uint8_t> expected;
      int width = 0, height = 0;
      ASSERT_TRUE(ReadPng(std::string(VELMORA_GOLDEN_DIR) + "/" + name, expected, width, height)) << name;
      const Difference d = Compare(pixels, expected);
      const bool close = d.mean < kGoldenMean && d.farFraction < kBatchedFarFraction;
      if (!close) {
        const fs::path actual = fs::path(VELMORA_PACK_DIR) / "test-artifacts" / ("batched_" + name);
        fs::create_directories(actual.parent_path());
        WritePng(actual.string(), pixels, kGoldenWidth, kGoldenHeight);
      }
      EXPECT_TRUE(close) << name << ": mean difference " << d.mean << ", " << 100 * d.farFraction
                         << " % of the pixels far off";
    }
  }
}

// The same instants drawn through both paths: the stream of modes, vertices, colours and texture
// coordinates the core submits is bit for bit the same.
TEST_F(BatchedRendererTest, TheCoreSubmitsTheSameVertexStreamOnBothPaths) {
  const std::vector<double> instants = {24, 75, 118, 150, 216};
  const auto streams = [&] {
    auto renderer = FrameRenderer::Create(320, 180, 1.0 / 60.0, messages_);
    std::vector<std::pair<uint64_t, long long>> hashes;
    for (double instant : instants) {
      VertexStreamRecorder recorder;
      renderer->RenderAt(instant);
      hashes.emplace_back(recorder.Hash(), recorder.Vertices());
    }
    return hashes;
  };
  const auto batched = streams();
  UninstallBatchedGl();
  GlTest::SetUp();  // the shared context, with the compatibility profile's entry points
  const auto compatibility = streams();
  EXPECT_EQ(batched, compatibility);
  EXPECT_GT(batched[1].second, 400000);  // the busiest instant's vertices were all there
  // Pinned: making a renderer faster must not move a single vertex.
  const std::vector<uint64_t> pinned = {5089573240561654064ull, 13287604262070764604ull,
                                        16028345596865114971ull, 3165492044207458363ull,
                                        14500364617287590593ull};
  for (size_t i = 0; i < instants.size(); ++i) {
    EXPECT_EQ(compatibility[i].first, pinned[i]) << "at demo clock " << instants[i];
  }
}

// Rows recorded on worker threads (three of them, more than the cores here, so that their turns interleave
// every which way) hand the renderer the very stream one thread does, at instants all through the show:
// rows that seed the generator, rows that go on with the state the last row left, parts of rows drawn
// apart, the show's third-pass rows after 141 s.
TEST_F(BatchedRendererTest, RowsOnWorkerThreadsSubmitTheSameVertexStream) {
  auto renderer = FrameRenderer::Create(320, 180, 1.0 / 60.0, messages_);
  ASSERT_NE(renderer, nullptr);
  const auto stream = [&](double instant) {
    VertexStreamRecorder recorder;
    renderer->RenderAt(instant);
    return std::pair{recorder.Hash(), recorder.Vertices()};
  };
  for (double instant = 1.5; instant < 240; instant += 7.25) {
    UseRowThreads(0);
    const auto alone = stream(instant);
    UseRowThreads(3);
    EXPECT_EQ(stream(instant), alone) << "at demo clock " << instant;
    EXPECT_EQ(stream(instant), alone) << "at demo clock " << instant << ", again";
  }
  UseRowThreads(0);
}

TEST_F(BatchedRendererTest, ACallOutsideTheSubsetIsNamedOnce) {
  testing::internal::CaptureStderr();
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHTING);
  glBegin(GL_POINTS);
  glEnd();
  glDisable(GL_LIGHTING);  // switching off what is off anyway is fine
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said,
            "velmora: the batched renderer does not do glEnable(0xB50); it is outside the GL subset\n"
            "velmora: the batched renderer does not do glBegin(0x0); it is outside the GL subset\n");
}

// The browser's path on a native OpenGL ES 3.0 context: start-up and two frames of the show leave no GL
// error (WebGL reports each one on the page's console, and some of them stop a draw there).
TEST_F(BatchedRendererTest, TheBrowsersPathLeavesNoGlErrorOnEs) {
  UninstallBatchedGl();
  if (!EsContext()) GTEST_SKIP() << "no OpenGL ES 3.0 context here";
  EsContext()->MakeCurrent();
  std::string error;
  ASSERT_TRUE(InstallBatchedGl(BatchedFlavour::WebGl2, error)) << error;
  {
    auto renderer = FrameRenderer::Create(320, 180, 1.0 / 60.0, messages_);
    ASSERT_TRUE(renderer);
    for (double instant : {75.0, 216.0}) {
      renderer->RenderAt(instant);
      EXPECT_FALSE(renderer->ReadPixels().empty());
      EXPECT_EQ(epoxy_glGetError(), GLenum(GL_NO_ERROR)) << "at demo clock " << instant;
    }
  }
  UninstallBatchedGl();
  BatchedContext()->MakeCurrent();
}

}  // namespace
