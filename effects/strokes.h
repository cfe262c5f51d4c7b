// Strips and strokes swept along a turning direction or a curve, flat in the xy plane: the curled strips that
// serve as hairs, claws and legs, the tapered black stroke and a row of small squares.
#pragma once

#include "effects/curve.h"

// A strip of 9 stations, 0.1 wide, from base along dir, which turns by -0.04 k per station (and once more by
// -0.12 k at the middle station); base does not move, so the strip curls. k = 0 gives a straight strip 1.12
// long.
void DrawCurlStrip(Vec3 base, Vec3 dir, double k);

// The same with stations 0.1 apart, 0.2 wide, without the extra turn at the middle.
void DrawCurlStripWide(Vec3 base, Vec3 dir, double k);

// A black stroke over 36 parameter units from t0, half as wide at its ends, rippling along its length. Leaves
// texturing and blending off and the colour black.
void DrawTaperedStroke(const Curve& curve, double t0);

// 0.5 x 0.5 squares, one per parameter unit from trunc(t0) while below t1, standing off the curve by size;
// the fraction of phase slides them along. Colour, texture and blending are the caller's.
void DrawSquareTube(const Curve& curve, double t0, double t1, double phase, double size);
