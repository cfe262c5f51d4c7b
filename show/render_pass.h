// The scene render pass: projection, camera, the light's projective texture matrix and the shader-layer calls
// around the scene callback. Also the camera records and the projection the show function uses.
#pragma once

#include <functional>

#include "render/offscreen_target.h"
#include "state/camera_record.h"
#include "state/demo_state.h"

using SceneCallback = std::function<void(DemoState&)>;

// Draws one pass into the target: clears it, sets the perspective (75 + fovOffset degrees, the picture's
// aspect times aspectScale) and the camera, hands the light's view to the texture matrix and the shader
// layer, and calls `scene` (may be empty) between balanced matrix pushes. Programs `program` and `program +
// 1` are bound.
void RenderScenePass(DemoState& state, const OffscreenTarget& target, const SceneCallback& scene, int program,
                     const CameraRecord& camera, const CameraRecord& light);

// Binds the target; projection = perspective(75 + fovOffset, aspect 1, near, far); model-view = identity.
void PrepareMainProjection(const DemoState& state, const OffscreenTarget& target);

// Writes the DemoState camera: three valid vectors.
void SetCamera(DemoState& state, const double& eyeX, const double& eyeY, const double& eyeZ,
               const double& centreX, const double& centreY, const double& centreZ, const double& upX,
               const double& upY, const double& upZ);

// out = a + (b - a) * t for eye, centre and up.
void CameraLerp(CameraRecord& out, const double& t, const CameraRecord& a, const CameraRecord& b);
