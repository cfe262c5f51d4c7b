// The whole show frame after frame, as the live show draws it, from its start to its own end, in silence.
// Under the sanitizers this is the check that no frame reads or writes out of bounds. In the normal build the
// show then runs again and again, and must not hold more memory each time.
#include <algorithm>

#include "show/frame_renderer.h"
#include "tests/allocation_count.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"
#include "tests/scratch_pack.h"

namespace {

// Frames drawn from the renderer's current frame to the show's end.
int RunToTheEnd(FrameRenderer& renderer) {
  int frames = 1;
  for (; !renderer.NextPassesShowEnd(); ++frames) renderer.RenderNext();
  return frames;
}

using WholeShowTest = GlTest;

TEST_F(WholeShowTest, RunsToItsOwnEnd) {
  ScratchPack pack;
  RecordingMessages messages;
  constexpr double kStep = 0.25;
  auto renderer = FrameRenderer::Create(320, 180, kStep, messages);
  ASSERT_NE(renderer, nullptr);
  renderer->RenderAt(kStep);
  EXPECT_EQ(RunToTheEnd(*renderer), 947);  // 236.8 s at 4 frames a second
  EXPECT_GT(renderer->Show().showTime, 240.0);
  EXPECT_TRUE(messages.shown.empty());
}

// What our code holds is counted, not the process's pages: llvmpipe resizes its own working memory (some
// 800 MB of C heap at this size) by tens of megabytes from run to run as its threads and caches happen to
// go. A leak or a container that grows with every frame grows in every run, while a one-off step (a shader
// the driver's compiler meets late) does not, so the smaller of two runs' growths must stay near zero. Run
// to run it moves by a few kilobytes here; 64 KB lost a frame would be 15 MB a run at one frame a second.
TEST_F(WholeShowTest, HoldsNoMoreMemoryRunAfterRun) {
  if (!kAllocationsAreCounted) GTEST_SKIP() << "the sanitizer owns operator new";
  ScratchPack pack;
  RecordingMessages messages;
  constexpr double kStep = 1.0;
  auto renderer = FrameRenderer::Create(320, 180, kStep, messages);
  ASSERT_NE(renderer, nullptr);
  const auto runAgain = [&] {
    renderer->RenderAt(kStep);
    RunToTheEnd(*renderer);
    return LiveNewBytes();
  };
  const size_t warm = runAgain(), second = runAgain(), third = runAgain();
  const auto growth = [](size_t before, size_t after) { return after > before ? after - before : 0; };
  const size_t least = std::min(growth(warm, second), growth(second, third));
  EXPECT_LT(least, size_t(1) << 20) << "bytes taken by each further run: " << growth(warm, second) << ", "
                                    << growth(second, third);
}

}  // namespace
