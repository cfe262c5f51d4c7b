// FrameRecord: the per-frame values handed from the frame driver to the show and back.
#pragma once

#include <array>

struct FrameRecord {
  std::array<double, 3> adjust{};        // reset to zero every frame; printed by the camera capture
  std::array<double, 3> capturePoint{};  // zero from start-up; printed by the camera capture
  std::array<float, 512> spectrum{};     // the music spectrum of this frame; all zero without music
  double showTime = 0.0;                 // written back by the show at the end of each frame
};
