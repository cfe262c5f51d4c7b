// Dials and the eye: flat ornaments in the xy plane around the origin, about +-12 units across, animated by
// the time in seconds. The caller sets the transform, the texture and the blending. Circles have 101 points.
#pragma once

// The first dial: a white disc, black sweeping wedges and four concentric textured bands. 14 random draws.
void DrawDialA(double t, bool dark);

// The second dial: a tinted disc, white wedges, five tinted bands and two columns of moving dashes. 22 random
// draws. With dark set, everything is black.
void DrawDialB(double t, bool dark);

// The eye: iris, a wandering pupil and a blinking lid. One random draw.
void DrawEye(double t);
