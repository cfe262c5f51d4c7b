// Small drawing operations shared by the scenes, the creature renderers and the show's frame function. They
// keep no state and act on the current GL state and matrices.
#pragma once

#include "shell/demo_state.h"

// Multiplies the current matrix by the look-at of the DemoState camera.
void ApplyCamera(const DemoState& state);

// Switches the fragment and vertex profiles off.
void ShadersOff(DemoState& state);

// Blending, lighting, colour material, light 0 and 2D texturing off; colour opaque white; fog off.
void ResetRenderState();

// A smooth ease from 0 at x = 0 to 1 at x = 1, shaped by p (p = 1: the plain cosine ease).
double EaseCurve(const double& x, const double& p);

// One quad scaled by (|width|, height) and turned by angle degrees about z; its texture is mirrored left to
// right when width <= 0. Leaves the model-view matrix scaled and turned.
void FlatQuad(const double& angle, const double& width, const double& height);

// A quad facing the viewer at the current position (the current rotation and scale are dropped), scaled by
// (width, height), turned by angle degrees, with texture coordinates (u, v) ... (u + span, v + span).
void BillboardQuad(const double& angle, const double& width, const double& height, double texU, double texV,
                   double span);

// BillboardQuad with the texture repeated four times each way.
void TiledBillboard(const double& angle, const double& width, const double& height);

// One quad scaled by (width, height), texture 0 ... 1, no turn.
void PlainQuad(double width, double height);
