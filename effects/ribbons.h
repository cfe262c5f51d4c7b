// Ribbons: flat bands laid along a curve's control polygon in the xy plane, between two curve parameters.
//
// The band follows the straight control polygon (its end interpolated on the segment before the end index);
// an optional edge pass adds small tabs along the smooth spline on one side, and the textured ribbon adds a
// grey rim. The caller sets colour, blending, texture and transform; the textured ribbon leaves texturing off
// and the colour grey after its edge pass.
#pragma once

#include "effects/curve.h"

// A band with planar texture coordinates (vertex x, y times texScale plus texOffset). A width below 1e-5
// takes each point's half-width from the curve's widths. The edge and rim passes are drawn when edgeShift >
// 0.001.
void DrawRibbonTextured(const Curve& curve, double t0, double t1, const Vec3& texOffset, double texScale,
                        double sideShift, double width, double edgeShift);

// The same band without texture coordinates; its edge pass (tabs 2 wide) is drawn when edgeShift > 0.
void DrawRibbon(const Curve& curve, double t0, double t1, double sideShift, double width, double edgeShift);
