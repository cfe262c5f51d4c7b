#include <array>
#include <map>
#include <string>
#include <vector>

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

// Whether each profile is on after the calls so far.
std::map<int, bool> ProfilesOn(const std::vector<CgCall>& calls) {
  std::map<int, bool> on;
  for (const CgCall& call : calls) {
    if (call.op == CgOp::EnableProfile || call.op == CgOp::DisableProfile)
      on[call.value] = call.op == CgOp::EnableProfile;
  }
  return on;
}

// The value last set on the parameter looked up by `name`.
std::array<float, 3> ParameterValue(const std::vector<CgCall>& calls, const std::string& name) {
  int slot = -1;
  std::array<float, 3> value{};
  for (const CgCall& call : calls) {
    if (call.op == CgOp::GetNamedParameter) slot = call.name == name ? call.slot : slot;
    if (call.op == CgOp::SetParameter3f && call.slot == slot) value = call.xyz;
  }
  return value;
}

// The scene draws with both shader profiles on; the shader layer is handed the camera's and the light's
// positions; once the pass is over both profiles are off again.
TEST_F(RenderPassTest, TheShaderLayerGetsTheCameraAndTheLightAroundTheScene) {
  CameraRecord light = state.camera;
  light.eye = Vec3(kVecValid, 4, 5, 6);
  int drawn = 0;
  std::map<int, bool> duringTheScene;
  RenderScenePass(
      state, target,
      [&](DemoState&) {
        ++drawn;
        duringTheScene = ProfilesOn(calls);
      },
      0, state.camera, light);
  EXPECT_EQ(drawn, 1);
  EXPECT_TRUE(duringTheScene[kCgProfileArbVp1] && duringTheScene[kCgProfileArbFp1]);
  EXPECT_EQ(ParameterValue(calls, "CameraPos"),
            (std::array<float, 3>{0, 2, 0}));  // the DemoState camera's eye
  EXPECT_EQ(ParameterValue(calls, "LightPos"), (std::array<float, 3>{4, 5, 6}));
  const std::map<int, bool> after = ProfilesOn(calls);
  EXPECT_FALSE(after.at(kCgProfileArbVp1) || after.at(kCgProfileArbFp1));
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
