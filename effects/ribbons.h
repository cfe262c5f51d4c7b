// Ribbons: flat bands laid along a curve's control polygon in the xy plane, between two curve parameters.
//
// The band follows the straight control polygon (its end interpolated on the segment before the end index);
// an optional edge pass adds small tabs along the smooth spline on one side, and the textured ribbon adds a
// grey rim. The caller sets colour, blending, texture and transform; the textured ribbon leaves texturing off
// and the colour grey after its edge pass.
#pragma once

#include <vector>

#include "effects/curve.h"

// A curve and the side vectors of its control polygon, which all the ribbons laid along it share: make one
// for a curve and draw every ribbon of that curve in the frame from it, and the sides are worked out once
// (as far along as a ribbon first needs them). A ribbon drawn straight from a curve makes its own.
class RibbonPath {
 public:
  RibbonPath(const Curve& curve);  // NOLINT(google-explicit-constructor): a curve is a path of its own
  const Curve& curve;

  // The unit side vectors of segments 0 ... last (segment i runs from point i to point i + 1, both clamped
  // to the curve's points), in the xy plane.
  const Vec3* SidesThrough(int last) const;

 private:
  mutable std::vector<Vec3> sides_;
};

// A band with planar texture coordinates (vertex x, y times texScale plus texOffset). A width below 1e-5
// takes each point's half-width from the curve's widths. The edge and rim passes are drawn when edgeShift >
// 0.001.
void DrawRibbonTextured(const RibbonPath& path, double t0, double t1, const Vec3& texOffset, double texScale,
                        double sideShift, double width, double edgeShift);

// The same band without texture coordinates; its edge pass (tabs 2 wide) is drawn when edgeShift > 0.
void DrawRibbon(const RibbonPath& path, double t0, double t1, double sideShift, double width,
                double edgeShift);
