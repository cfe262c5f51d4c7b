// Creature figures that crawl along a curve, flat in the xy plane: a black body strip, wide at the head and
// rippled in the middle, with curled legs that swing as the creature moves. The curve is only read.
#pragma once

#include "effects/curve.h"

// A creature from t0 over 0.2 step parameter units per body station (11 stations at size 1), with a white
// multiplied shadow spot when shadow is set. Nothing when gate < 0 or size < 1e-6. Leaves texturing and
// blending off and the colour black.
void DrawCreatureA(const Curve& curve, double t0, double gate, double step, double size, bool shadow);

// A narrower creature over 0.14 step parameter units per station, moved sideways by shift. Nothing when
// size < 1e-6. Leaves blending and texturing off and the colour black.
void DrawCreatureB(const Curve& curve, double t0, double step, double size, double shift);

// A centipede from t over ten parameter units: a multiplied shadow band, a black body and thirteen pairs of
// wide curled legs in a travelling wave, with long feelers at both ends. Returns with blending off, the
// blend factors (one, one) and the colour (0.5, 0.5, 0.5).
void DrawCreatureC(const Curve& curve, double t);
