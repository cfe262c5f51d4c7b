#include <gtest/gtest.h>

#include "render/cg_layer.h"
#include "render/gl_strings.h"
#include "state/card_check.h"
#include "state/extensions.h"
#include "tests/recording_messages.h"
#include "timing/frame_timing.h"

namespace {

TEST(Extensions, OnlyWholeWordsCount) {
  const std::string_view list = "GL_ARB_multisample_extra GL_EXT_a GL_ARB_multisample";
  EXPECT_TRUE(ContainsExtensionWord(list, "GL_ARB_multisample"));  // the last word, after a longer one
  EXPECT_TRUE(ContainsExtensionWord(list, "GL_EXT_a"));
  EXPECT_FALSE(ContainsExtensionWord("GL_ARB_multisample_extra", "GL_ARB_multisample"));
  EXPECT_FALSE(ContainsExtensionWord("XGL_EXT_a GL_EXT_ab", "GL_EXT_a"));
  EXPECT_TRUE(ContainsExtensionWord("GL_EXT_a", "GL_EXT_a"));
  EXPECT_FALSE(ContainsExtensionWord("", "GL_EXT_a"));
  EXPECT_FALSE(ContainsExtensionWord("GL_EXT_a", ""));
}

// The batched renderer's install check and the offscreen target's read the version from these strings.
TEST(GlVersion, DesktopAndEsStringsAreRead) {
  const GlVersion desktop = ParseGlVersion("4.5 (Compatibility Profile) Mesa 22.3.6");
  EXPECT_FALSE(desktop.es);
  EXPECT_TRUE(desktop.AtLeast(3, 3));  // a later major version with a smaller minor one
  EXPECT_FALSE(desktop.AtLeast(4, 6));
  const GlVersion core = ParseGlVersion("3.3 (Core Profile) Mesa 22.3.6");
  EXPECT_TRUE(!core.es && core.AtLeast(3, 3) && !core.AtLeast(4, 0));
  const GlVersion web = ParseGlVersion("OpenGL ES 3.0 (WebGL 2.0 (OpenGL ES 3.0 Chromium))");
  EXPECT_TRUE(web.es && web.AtLeast(3, 0) && !web.AtLeast(3, 1));
  const GlVersion old = ParseGlVersion("OpenGL ES-CM 1.1 Mesa");
  EXPECT_TRUE(old.es && old.AtLeast(1, 1) && !old.AtLeast(2, 0));
  for (const char* unreadable : {static_cast<const char*>(nullptr), "", "OpenGL ES", "3", "version 3."}) {
    EXPECT_FALSE(ParseGlVersion(unreadable).AtLeast(0, 1)) << (unreadable ? unreadable : "null");
  }
}

TEST(CardCheck, ASlowCardIsWarnedAboutOnceAndTheShowGoesOn) {
  RecordingMessages messages;
  WarnAboutSlowCard("GeForce 5200 6200", messages);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], messages::kSlowGraphicsCard.text);
  WarnAboutSlowCard("Mesa Intel(R) UHD Graphics 620", messages);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(CardCheck, AnyRendererContainingEitherModelNumberIsSlow) {
  EXPECT_TRUE(IsSlowGraphicsCard("GeForce FX 5200/AGP/SSE2"));
  EXPECT_TRUE(IsSlowGraphicsCard("GeForce 6200 TurboCache"));
  EXPECT_TRUE(IsSlowGraphicsCard("Other Card v52001"));
  EXPECT_TRUE(IsSlowGraphicsCard("5200 and 6200"));
  EXPECT_FALSE(IsSlowGraphicsCard("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_FALSE(IsSlowGraphicsCard("GeForce 520 0"));
}

TEST(FrameDriver, TimerStepIsNeverNegative) {
  EXPECT_EQ(TimerStep(1.0, 1.0), 0.0);
  EXPECT_EQ(TimerStep(0.9, 1.0), 0.0);
  EXPECT_DOUBLE_EQ(TimerStep(1.25, 1.0), 0.25);
}

TEST(FrameDriver, ClosingFadeIsImmediateWhileTheClockFollowsTheMusic) {
  const double fadeRate = double(0.8f);
  EXPECT_EQ(ClosingFadeLevel(200.0, 200.0, fadeRate, true), 1.0);
  EXPECT_NEAR(ClosingFadeLevel(232.625, 232.0, fadeRate, false), 0.5, 1e-7);
  EXPECT_EQ(ClosingFadeLevel(231.0, 232.0, fadeRate, false), 0.0);
  EXPECT_EQ(ClosingFadeLevel(240.0, 232.0, fadeRate, false), 1.0);
}

TEST(CgLayer, NullHandlesWithTheShowsProfilesAndARecordedCallSequence) {
  std::vector<CgCall> calls;
  CgProgramSet set;
  set.log = &calls;
  CgCreate(set);
  EXPECT_EQ(set.vertexProfile, 6150);
  EXPECT_EQ(set.fragmentProfile, 7000);
  CgBind(set, 0);
  CgEnableFragment(set);
  CgLookupParameter(set, 0, 1, "CameraPos");
  CgSet3f(set, 0, 1, 1, 2, 3);
  CgSetTextureMatrix(set, 0, 6);
  CgDisableVertex(set);
  CgLookupParameter(set, 99, 99, "Outside");  // out of the table: recorded, nothing written

  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls[1].op, CgOp::BindProgram);
  EXPECT_EQ(calls[2].value, 7000);
  EXPECT_EQ(calls[3].name, "CameraPos");
  EXPECT_EQ(calls[3].slot, 1);
  EXPECT_EQ(calls[4].xyz, (std::array<float, 3>{1, 2, 3}));
  EXPECT_EQ(calls[5].value, kCgMatrixTexture);
  EXPECT_EQ(calls[6].op, CgOp::DisableProfile);
  EXPECT_EQ(calls[6].value, 6150);
  EXPECT_EQ(set.parameters[0][1], nullptr);
  EXPECT_EQ(set.parameters.size() * set.parameters[0].size(), size_t(kCgProgramCount) * 16);
}

}  // namespace
