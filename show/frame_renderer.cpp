#include "show/frame_renderer.h"

#include <algorithm>
#include <cmath>

#include "show/frame_driver.h"
#include "show/startup.h"
#include "timing/music_player.h"

std::unique_ptr<FrameRenderer> FrameRenderer::Create(int width, int height, double step,
                                                     MessageSink& messages) {
  std::unique_ptr<FrameRenderer> renderer(new FrameRenderer);
  renderer->step_ = step;
  renderer->state_.setup.renderWidth = width;
  renderer->state_.setup.renderHeight = height;
  ApplyRenderDefaults(renderer->state_);
  if (!CreateShowTarget(renderer->target_, width, height, messages)) return nullptr;
  renderer->show_ = std::make_unique<ShowObject>();
  if (!renderer->show_->SetUp(renderer->state_, messages)) return nullptr;
  renderer->music_ = DecodeMp3File(kMusicFile);
  return renderer;
}

// The frame driver's rules before the show draws, with the music exactly at the demo clock.
void FrameRenderer::BeginFrame() {
  BeginSteppedFrame(state_, frame_, step_);
  SpectrumAtClock();
}

void FrameRenderer::SpectrumAtClock() {
  if (music_) {
    analyser_.Analyse(music_->mono, std::llround(state_.demoClock * kMusicRate), spectrum_);
    std::copy(spectrum_.begin(), spectrum_.end(), frame_.spectrum.begin());
  }
}

void FrameRenderer::RenderAt(double demoClock) {
  const long long frame = std::max<long long>(1, std::llround(demoClock / step_));
  EnterGridFrame(*show_, state_, frame_, frame, step_);
  SpectrumAtClock();
  DrawFrame();
}

void FrameRenderer::RenderNext() {
  BeginFrame();
  DrawFrame();
}

bool FrameRenderer::NextPassesShowEnd() const {
  return state_.demoClock + step_ > kShowEnd;
}

void FrameRenderer::DrawFrame() {
  DrawShowFrame(show_.get(), state_, frame_, target_);
}

std::vector<uint8_t> FrameRenderer::ReadPixels() const {
  return ReadOffscreenPixels(target_);
}
