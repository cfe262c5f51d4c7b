// What every layer of the show reads: the show (time, clocks, spectrum, curves), the demo state (textures,
// camera), the show time and the music levels of this frame, and the record of the layers drawn.
#pragma once

#include "effects/curve.h"
#include "scenes/scene_director.h"
#include "scenes/show_record.h"
#include "state/demo_state.h"

struct Scene {
  ShowRecord& show;
  DemoState& state;
  double t;
  SpectrumLevels levels;

  // Binds texture slot n of the show (relative to its texture base).
  void Bind(int slot) const;
  // Entry i of curve pool `pool`.
  const Curve& Pool(int pool, int i) const { return show.curves.pools[size_t(pool)][size_t(i)]; }
  // Notes that the layer numbered `row` passed its gate this frame.
  void Drawn(int row) const { show.layersDrawn.Set(row); }
};

// Gates on the show time: a window excludes both bounds.
inline bool Within(double t, double from, double to) {
  return from < t && t < to;
}
inline bool After(double t, double from) {
  return t > from;
}
inline bool Before(double t, double to) {
  return t < to;
}

// The shape lists the scenes call by number.
constexpr int kBlobsList = 1;      // a cluster of separate blobs
constexpr int kBladesList = 10;    // tall blades
constexpr int kScatterList = 100;  // small shapes scattered along a spiral

// One untextured quad from (x0, y0) to (x1, y1) at z = 0.
void Rectangle(double x0, double y0, double x1, double y1);

// Clears colour (to transparent black) and depth.
void ClearPicture();

// Every pass starts from the camera with identity texture and model-view matrices and a plain render state,
// inside its own model-view matrix.
void BeginPass(DemoState& state);
void EndPass();

// Where a layer sits: T(x, y, z), then Rz(angle) and S(sx, sy, sz), the scale first where the row says so.
struct Placement {
  double x = 0, y = 0, z = 0;
  double angle = 0;
  double sx = 1, sy = 1, sz = 1;
  bool scaleFirst = false;
};
void Place(const Placement& placement);

// Texturing on or off, and blending on with the given factors or off.
void Texturing(bool on);
void Blend(unsigned source, unsigned destination);
void NoBlend();

// Draws ceil(amount) random numbers and drops them (none when amount <= 0): the music reshuffles a layout.
void DiscardDraws(double amount);
