// The rules of the show's own frame function, as plain functions of the show time.
#pragma once

#include <array>

#include "state/camera_record.h"

// The frame's step after the show's speed modulation: 0.4 % faster throughout, faster between about 30 s and
// 180 s, slower between 225 s and 232 s, and a jump ahead between 140.5 s and 142.1 s.
double ModulatedStep(double step, double showTime);

// The camera of a show time: travelling up the canvas, swinging over to y = 1080 from 146 s, and from 196 s
// to x = 474 with nine damped sideways jolts. Reseeds the random generator (the jolts' timing).
CameraRecord ShowCamera(double showTime);

// The light: the camera with its eye moved 8 to the left, normalised and scaled to 23.
CameraRecord ShowLight(const CameraRecord& camera);

// Degrees added to the field of view so that narrower screens see as much as a 16:9 one.
double WideScreenFovOffset(int width, int height);

// The fade-in multiplier colour (r, g, b) of a show time, and whether it is drawn at all.
std::array<double, 3> FadeInColour(double showTime);
bool FadeInVisible(double showTime);

// The fade-out multiplier (grey) of a show time; drawn while below 0.99999.
double FadeOutLevel(double showTime);

// sin(min(28x, 1) + pi f x + 0.5) * (1.01 - x), and 0 for x below 0.0001: a damped jolt.
double Bounce(double x, double f);
