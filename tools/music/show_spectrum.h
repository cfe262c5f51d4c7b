// What the show's spectrum looks at: windows of the 1024 most recent samples, and the two bins of their
// 512 that the pictures react to.
#pragma once

constexpr int kShowWindow = 1024;
constexpr int kShowBassBin = 2;   // 86 Hz: kick and bass
constexpr int kShowHatBin = 230;  // 9.9 kHz: hi-hats
