// ShowRecord: what the scenes read of the show and note back, frame by frame: its clocks, the spectrum it
// reacts to, the base of its texture slots, the curves made at start-up and the layers drawn. The show object
// (show/show_object.h) is this record with the show's operations.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "assets/show_curves.h"

constexpr int kShowSpectrumBins = 256;
constexpr int kMostLayerRows = 128;

// The numbers of the layers drawn, noted from whichever thread records a layer.
class LayerRows {
 public:
  void Set(int row) { words_[Word(row)].fetch_or(Bit(row), std::memory_order_relaxed); }
  bool Test(int row) const { return words_[Word(row)].load(std::memory_order_relaxed) & Bit(row); }
  void Reset() {
    for (auto& word : words_) word.store(0, std::memory_order_relaxed);
  }

 private:
  static size_t Word(int row) { return size_t(row) / 64; }
  static uint64_t Bit(int row) { return uint64_t(1) << (row % 64); }
  std::array<std::atomic<uint64_t>, (kMostLayerRows + 63) / 64> words_{};
};

struct ShowRecord {
  double showTime = 0.0;
  double fastTime = 0.0;  // advances 1.5 times as fast as the frame steps
  std::array<float, kShowSpectrumBins> spectrum{};
  int textureBase = 0;
  ShowCurves curves;
  LayerRows layersDrawn;  // the layers whose gate passed in the last frame, by row number
};
