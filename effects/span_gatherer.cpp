#include "effects/span_gatherer.h"

#include <array>

namespace {

constexpr int kKeptDepths = 4;  // a renderer gathering while another one gathers, and so on

thread_local std::array<std::vector<SpanVertex>, kKeptDepths> tKept;
thread_local int tDepth = 0;

}  // namespace

SpanGatherer::SpanGatherer(GLenum mode, bool textured)
    : mode_(mode), textured_(textured), vertices_(tDepth < kKeptDepths ? tKept[size_t(tDepth)] : own_) {
  ++tDepth;
  vertices_.clear();
}

SpanGatherer::~SpanGatherer() {
  --tDepth;
}

void SpanGatherer::Draw() {
  DrawVertexSpan({mode_, vertices_.data(), int(vertices_.size()), textured_});
  vertices_.clear();
}
