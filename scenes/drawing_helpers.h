// Small drawing operations shared by the scenes and the show's frame function. They keep no state and act on
// the current GL state and matrices. The textured quads they place are in effects/quads.h.
#pragma once

#include "state/demo_state.h"

// Multiplies the current matrix by the look-at of the DemoState camera.
void ApplyCamera(const DemoState& state);

// Switches the fragment and vertex profiles off.
void ShadersOff(DemoState& state);

// Blending, lighting, colour material, light 0 and 2D texturing off; colour opaque white; fog off.
void ResetRenderState();

// A smooth ease from 0 at x = 0 to 1 at x = 1, shaped by p (p = 1: the plain cosine ease).
double EaseCurve(const double& x, const double& p);
