#include "render/gl_api.h"
#include "show/render_pass.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

class RenderPassTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    CreateOffscreenTarget(target, 64, 36, QueryOffscreenSupport());
    state.cg.log = &calls;
  }
  void TearDown() override { ReleaseOffscreenTarget(target); }

  static GLint Depth(GLenum which) {
    GLint depth = 0;
    glGetIntegerv(which, &depth);
    return depth;
  }

  OffscreenTarget target;
  RecordingMessages messages;
  DemoState state;
  std::vector<CgCall> calls;
};

TEST_F(RenderPassTest, TheShaderLayerSeesItsCallsInPassOrder) {
  CameraRecord light = state.camera;
  light.eye = Vec3(kVecValid, 4, 5, 6);
  int drawn = 0;
  RenderScenePass(
      state, target, [&drawn](DemoState&) { ++drawn; }, 0, state.camera, light);
  EXPECT_EQ(drawn, 1);

  using enum CgOp;
  const std::vector<std::pair<CgOp, int>> expected = {{BindProgram, 0},
                                                      {BindProgram, 1},
                                                      {EnableProfile, 7000},
                                                      {EnableProfile, 6150},
                                                      {EnableProfile, 7000},
                                                      {EnableProfile, 6150},
                                                      {SetStateMatrixParameter, 6},
                                                      {GetNamedParameter, 1},
                                                      {SetParameter3f, 1},
                                                      {GetNamedParameter, 2},
                                                      {SetParameter3f, 2},
                                                      {SetStateMatrixParameter, 5},
                                                      {DisableProfile, 7000},
                                                      {DisableProfile, 6150}};
  ASSERT_EQ(calls.size(), expected.size());
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].op, expected[i].first) << i;
    const int detail = calls[i].op == BindProgram                                        ? calls[i].program
                       : (calls[i].op == EnableProfile || calls[i].op == DisableProfile) ? calls[i].value
                                                                                         : calls[i].slot;
    EXPECT_EQ(detail, expected[i].second) << i;
  }
  EXPECT_EQ(calls[7].name, "CameraPos");
  EXPECT_EQ(calls[9].name, "LightPos");
  EXPECT_EQ(calls[8].xyz, (std::array<float, 3>{0, 2, 0}));  // the DemoState camera's eye
  EXPECT_EQ(calls[10].xyz, (std::array<float, 3>{4, 5, 6}));
  EXPECT_EQ(calls[6].value, kCgMatrixTexture);
  EXPECT_EQ(calls[11].value, kCgMatrixModelViewProjection);
}

TEST_F(RenderPassTest, WithoutASceneThePassStillClearsAndLeavesTheStacksBalanced) {
  MakeOffscreenTargetCurrent(target);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);  // white before the pass
  const GLint modelview = Depth(GL_MODELVIEW_STACK_DEPTH), texture = Depth(GL_TEXTURE_STACK_DEPTH);
  glClearColor(0, 0, 0, 1);
  RenderScenePass(state, target, nullptr, 0, state.camera, state.camera);
  EXPECT_EQ(Depth(GL_MODELVIEW_STACK_DEPTH), modelview);
  EXPECT_EQ(Depth(GL_TEXTURE_STACK_DEPTH), texture);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  ResolveOffscreenTarget(target);
  glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
  uint8_t pixel[4];
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 0);
}

TEST_F(RenderPassTest, CamerasAreSetAndBlendedComponentWise) {
  SetCamera(state, 1, 2, 3, 4, 5, 6, 0, 1, 0);
  EXPECT_EQ(state.camera.eye.z, 3.0f);
  EXPECT_EQ(state.camera.centre.state, kVecValid);
  CameraRecord target = state.camera, out;
  target.eye = Vec3(kVecValid, 11, 2, 3);
  CameraLerp(out, 0.25, state.camera, target);
  EXPECT_FLOAT_EQ(out.eye.x, 3.5f);
  EXPECT_FLOAT_EQ(out.centre.y, 5.0f);
}

}  // namespace
