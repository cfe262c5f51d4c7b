#include "show/rehearsal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "render/bitmap_text.h"
#include "state/virtual_keys.h"

namespace {

constexpr int kRowsPerLine = 12;

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

uint32_t SampleAt(double demoClock, MusicPlayer& music) {
  return uint32_t(std::llround(std::max(demoClock, 0.0) * music.Frequency()));
}

}  // namespace

std::optional<RehearsalCommand> RehearsalKeyCommand(int virtualKey) {
  constexpr std::pair<int, RehearsalCommand> kKeys[] = {
      {kVkSpace, RehearsalCommand::TogglePause},
      {kVkLeft, RehearsalCommand::BackSecond},
      {kVkRight, RehearsalCommand::ForwardSecond},
      {kVkPageDown, RehearsalCommand::BackTen},
      {kVkPageUp, RehearsalCommand::ForwardTen},
      {kVkHome, RehearsalCommand::ToStart},
      {kVkEnd, RehearsalCommand::ToEnd},
      {kVkDown, RehearsalCommand::StepBack},
      {kVkUp, RehearsalCommand::StepForward},
      {kVkLetterA + ('S' - 'A'), RehearsalCommand::Screenshot},
      {kVkLetterA + ('T' - 'A'), RehearsalCommand::ToggleOverlay},
  };
  for (const auto& [key, command] : kKeys) {
    if (key == virtualKey) return command;
  }
  return std::nullopt;
}

// Counted the way the show's clocks are fast forwarded, step by step, so that the last frame's clock is the
// one the show reaches, rounding and all.
long long LastGridFrame() {
  static const long long last = [] {
    long long frames = 0;
    for (double clock = kGridStep; clock <= kShowEnd; clock += kGridStep) ++frames;
    return frames;
  }();
  return last;
}

long long GridFrameNear(double demoClock) {
  return std::clamp<long long>(std::llround(demoClock / kGridStep), 1, LastGridFrame());
}

long long LandingFrame(double demoClock, RehearsalCommand command) {
  const auto step = [demoClock](long long frames) {
    return std::clamp(GridFrameNear(demoClock) + frames, 1LL, LastGridFrame());
  };
  switch (command) {
    case RehearsalCommand::BackSecond:
      return GridFrameNear(demoClock - 1.0);
    case RehearsalCommand::ForwardSecond:
      return GridFrameNear(demoClock + 1.0);
    case RehearsalCommand::BackTen:
      return GridFrameNear(demoClock - 10.0);
    case RehearsalCommand::ForwardTen:
      return GridFrameNear(demoClock + 10.0);
    case RehearsalCommand::ToStart:
      return 1;
    case RehearsalCommand::ToEnd:
      return GridFrameNear(kShowEnd - kEndLead);
    case RehearsalCommand::StepBack:
      return step(-1);
    case RehearsalCommand::StepForward:
      return step(1);
    default:
      return GridFrameNear(demoClock);
  }
}

int OverlayScale(int windowHeight) {
  return std::max(1, windowHeight / 360);
}

std::string ScreenshotName(double demoClock) {
  return Printed("velmora-%.3f.png", demoClock);
}

FrameOutcome Rehearsal::RunFrame(FrameContext& context) {
  DemoState& state = context.state;
  const double now = ReadClock(context.clock);
  NoteFrameTime(now);
  if (state.endingStarted) {
    queued_.clear();
    if (paused_) queued_.push_back({RehearsalCommand::TogglePause, 0.0});
  }
  const bool wasPaused = paused_;
  const std::optional<long long> landing = Landing(state);
  if (landing) Land(context, *landing);
  if (landing || wasPaused) state.lastTimerReading = now;
  if (state.setup.musicOn) {
    if (paused_ && !wasPaused) context.music.Pause();
    if (!paused_ && (landing || wasPaused)) context.music.Seek(SampleAt(state.demoClock, context.music));
  }
  if (landing || paused_) return FrameOutcome::Continue;
  return ::RunFrame(context);
}

std::optional<long long> Rehearsal::Landing(const DemoState& state) {
  std::optional<long long> landing;
  const auto clock = [&] { return landing ? double(*landing) * kGridStep : state.demoClock; };
  for (const Queued& queued : queued_) {
    if (!queued.command) {
      landing = GridFrameNear(queued.clock);
      continue;
    }
    switch (*queued.command) {
      case RehearsalCommand::TogglePause:
        paused_ = !paused_;
        if (paused_) landing = GridFrameNear(clock());  // a paused picture is always a grid frame
        break;
      case RehearsalCommand::Screenshot:
        screenshotAsked_ = true;
        break;
      case RehearsalCommand::ToggleOverlay:
        overlayShown_ = !overlayShown_;
        break;
      case RehearsalCommand::StepBack:
      case RehearsalCommand::StepForward:
        if (paused_) landing = LandingFrame(clock(), *queued.command);
        break;
      default:
        landing = LandingFrame(clock(), *queued.command);
        break;
    }
  }
  queued_.clear();
  return landing;
}

// Draws the landing frame as a fresh start would draw it; the clock follows the music again from there.
void Rehearsal::Land(FrameContext& context, long long frame) {
  DemoState& state = context.state;
  state.musicSync = true;
  if (!context.show) return;
  EnterGridFrame(*context.show, state, context.frame, frame, kGridStep);
  if (state.setup.musicOn) {
    const float* spectrum = context.music.SpectrumAt(SampleAt(state.demoClock, context.music));
    std::memcpy(context.frame.spectrum.data(), spectrum, sizeof context.frame.spectrum);
  }
  DrawShowFrame(context.show.get(), state, context.frame, context.target);
}

void Rehearsal::NoteFrameTime(double now) {
  if (lastFrameAt_ >= 0.0 && now > lastFrameAt_) {
    const double rate = 1.0 / (now - lastFrameAt_);
    framesPerSecond_ = framesPerSecond_ > 0.0 ? 0.9 * framesPerSecond_ + 0.1 * rate : rate;
  }
  lastFrameAt_ = now;
}

bool Rehearsal::TakeScreenshotRequest() {
  return std::exchange(screenshotAsked_, false);
}

std::vector<std::string> Rehearsal::OverlayLines(const DemoState& state, const ShowObject* show) const {
  std::vector<std::string> lines{Printed("CLOCK %.3f", state.demoClock)};
  if (show) lines.push_back(Printed("SHOW %.3f", show->showTime));
  lines.push_back(Printed("FPS %.1f", framesPerSecond_));
  if (paused_) lines.push_back("PAUSED");
  if (!show) return lines;
  std::string rows = "ROWS";
  int onLine = 0;
  for (int row = 0; row < kMostLayerRows; ++row) {
    if (!show->layersDrawn.Test(row)) continue;
    if (onLine == kRowsPerLine) {
      lines.push_back(rows);
      rows = "    ";
      onLine = 0;
    }
    rows += " " + std::to_string(row);
    ++onLine;
  }
  lines.push_back(rows);
  return lines;
}

void Rehearsal::DrawOverlay(const DemoState& state, const ShowObject* show, int width, int height) const {
  if (!overlayShown_ || width <= 0 || height <= 0) return;
  const int scale = OverlayScale(height);
  DrawTextLines(OverlayLines(state, show), kOverlayInset * scale, kOverlayInset * scale, scale, width,
                height);
}
