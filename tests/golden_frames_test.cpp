// Frames of both halves at fixed instants against reference pictures that llvmpipe drew, at 640 x 360,
// in silence (no music file, so both spectrum levels are 0). Set VELMORA_UPDATE_GOLDEN=1 to redraw the
// references; do so only for a change that is meant to alter the picture, and say which in the commit.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "render/gl_api.h"
#include "show/frame_renderer.h"
#include "tests/gl_fixture.h"
#include "tests/golden_compare.h"
#include "tests/recording_messages.h"
#include "tests/scratch_pack.h"
#include "cli/png_file.h"

namespace {

namespace fs = std::filesystem;

// Renders from a scratch directory that holds the build's asset pack and no music.
class GoldenFramesTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer.find("llvmpipe") == std::string::npos)
      GTEST_SKIP() << "the reference frames were drawn by llvmpipe; this context renders with " << renderer;
    pack_ = std::make_unique<ScratchPack>();
    renderer_ = FrameRenderer::Create(kGoldenWidth, kGoldenHeight, 1.0 / 60.0, messages_);
    ASSERT_NE(renderer_, nullptr);
  }

  // Compares the frames at the given demo clocks with their references (or redraws them), named by `half`.
  void CheckInstants(const char* half, const std::vector<double>& clocks);

  std::unique_ptr<ScratchPack> pack_;
  RecordingMessages messages_;
  std::unique_ptr<FrameRenderer> renderer_;
};

void GoldenFramesTest::CheckInstants(const char* half, const std::vector<double>& clocks) {
  const bool update = std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr;
  for (double clock : clocks) {
    renderer_->RenderAt(clock);
    const auto pixels = renderer_->ReadPixels();
    const std::string name = NameOf(half, clock);
    const std::string reference = std::string(VELMORA_GOLDEN_DIR) + "/" + name;
    if (update) {
      ASSERT_TRUE(WritePng(reference, pixels, kGoldenWidth, kGoldenHeight)) << reference;
      continue;
    }
    std::vector<uint8_t> expected;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPng(reference, expected, width, height)) << "no reference " << reference;
    ASSERT_EQ(width, kGoldenWidth);
    ASSERT_EQ(height, kGoldenHeight);
    const Difference d = Compare(pixels, expected);
    const bool close = d.mean < kGoldenMean && d.farFraction < kGoldenFarFraction;
    if (!close) {
      const fs::path actual = fs::path(VELMORA_PACK_DIR) / "test-artifacts" / ("actual_" + name);
      fs::create_directories(actual.parent_path());
      WritePng(actual.string(), pixels, kGoldenWidth, kGoldenHeight);
    }
    EXPECT_TRUE(close) << name << ": mean difference " << d.mean << ", " << 100 * d.farFraction
                       << " % of the pixels far off; this frame is in test-artifacts/actual_" << name;
  }
}

TEST_F(GoldenFramesTest, TheFirstHalfMatchesItsReferenceFrames) {
  CheckInstants("first_half", kFirstHalfClocks);
  EXPECT_LE(renderer_->Show().showTime, 141.0);
}

TEST_F(GoldenFramesTest, TheSecondHalfMatchesItsReferenceFrames) {
  CheckInstants("second_half", kSecondHalfClocks);
  EXPECT_GT(renderer_->Show().showTime, 141.0);
}

TEST_F(GoldenFramesTest, AnInstantOfEitherHalfIsDrawnTheSameEveryTime) {
  for (double clock : {97.0, 220.0}) {
    renderer_->RenderAt(clock);
    const auto first = renderer_->ReadPixels();
    renderer_->RenderAt(44.0);
    renderer_->RenderAt(clock);
    EXPECT_TRUE(renderer_->ReadPixels() == first) << clock;
  }
}

}  // namespace
