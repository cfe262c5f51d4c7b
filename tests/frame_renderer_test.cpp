#include <filesystem>
#include <span>
#include <vector>

#include "render/frame_readback.h"
#include "render/gl_api.h"
#include "show/frame_renderer.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

namespace fs = std::filesystem;

// Renders from the build's own asset pack.
class FrameRendererTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    previous = fs::current_path();
    fs::current_path(VELMORA_PACK_DIR);
    renderer = FrameRenderer::Create(64, 36, 1.0 / 60.0, messages);
    ASSERT_NE(renderer, nullptr);
  }
  void TearDown() override {
    if (!previous.empty()) fs::current_path(previous);
  }
  fs::path previous;
  RecordingMessages messages;
  std::unique_ptr<FrameRenderer> renderer;
};

TEST_F(FrameRendererTest, AnInstantGivesTheSamePictureWhateverWasRenderedBefore) {
  renderer->RenderAt(5.0);
  const auto first = renderer->ReadPixels();
  const double showTime = renderer->Show().showTime;
  renderer->RenderAt(150.0);
  renderer->RenderAt(5.0);
  EXPECT_EQ(renderer->ReadPixels(), first);
  EXPECT_EQ(renderer->Show().showTime, showTime);
  EXPECT_NEAR(showTime, -3.0 + 5.0 * 1.004, 0.01);
  EXPECT_EQ(first.size(), 64u * 36u * 3u);
}

TEST_F(FrameRendererTest, AFrameLeavesTheMatrixAndAttributeStacksBalanced) {
  while (glGetError() != GL_NO_ERROR) {  // errors left by earlier tests on the shared context
  }
  for (double t : {1.0, 141.0, 200.0}) {
    renderer->RenderAt(t);
    GLint depth = -1;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << t;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1) << t;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 0) << t;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << t;
  }
}

// Frames read back through the ring of pixel buffers, collected only after later frames were drawn, are
// byte for byte those read straight away.
TEST_F(FrameRendererTest, TheReadbackRingGivesTheFramesReadDirectly) {
  FrameReadback ring(renderer->Width(), renderer->Height(), 2);
  std::vector<std::vector<uint8_t>> direct, collected;
  std::vector<long long> order;
  const auto collect = [&](long long frame, std::span<const uint8_t> rgb) {
    order.push_back(frame);
    collected.emplace_back(rgb.begin(), rgb.end());
    return true;
  };
  const double instants[] = {5.0, 60.0, 150.0, 220.0};
  for (long long i = 0; i < 4; ++i) {
    renderer->RenderAt(instants[i]);
    direct.push_back(renderer->ReadPixels());
    ring.Start(renderer->Target(), i);
    if (ring.Full()) {
      ASSERT_TRUE(ring.CollectOldest(collect));
    }
  }
  while (!ring.Empty()) ASSERT_TRUE(ring.CollectOldest(collect));
  EXPECT_EQ(order, (std::vector<long long>{0, 1, 2, 3}));
  EXPECT_EQ(collected, direct);
  EXPECT_NE(direct[0], direct[1]);
}

}  // namespace
