#include "tools/capture/progress_meter.h"

#include <unistd.h>

#include <cmath>
#include <utility>

namespace {
constexpr int kBarWidth = 30;
constexpr double kTerminalInterval = 0.2;  // seconds between redraws of the bar
constexpr double kLineInterval = 5.0;      // seconds between plain lines

std::string Clock(double seconds) {
  const long whole = std::lround(seconds);
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  }
  return text;
}
}  // namespace

std::string ProgressText(long long done, long long total, double elapsedSeconds, bool bar) {
  const double fraction = total > 0 ? double(done) / double(total) : 1.0;
  std::string text = "frame " + std::to_string(done) + " of " + std::to_string(total);
  if (bar) {
    const int filled = int(fraction * kBarWidth);
    text += " [" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "]";
  }
  char numbers[96];
  if (done > 0 && elapsedSeconds > 0) {
    const double fps = double(done) / elapsedSeconds;
    std::snprintf(numbers, sizeof numbers, " %.1f%%  %.1f fps  %s left", 100.0 * fraction, fps,
                  Clock(double(total - done) / fps).c_str());
  } else {
    std::snprintf(numbers, sizeof numbers, " %.1f%%", 100.0 * fraction);
  }
  return text + numbers;
}

ProgressMeter::ProgressMeter(long long total, std::FILE* out, std::string renderer)
    : total_(total), out_(out), terminal_(isatty(fileno(out))), renderer_(std::move(renderer)) {}

void ProgressMeter::Update(long long done, double elapsedSeconds) {
  const double interval = terminal_ ? kTerminalInterval : kLineInterval;
  if (done < total_ && lastPrinted_ >= 0 && elapsedSeconds - lastPrinted_ < interval) return;
  std::string text = ProgressText(done, total_, elapsedSeconds, terminal_);
  if (lastPrinted_ < 0) text += "  (" + renderer_ + ")";
  lastPrinted_ = elapsedSeconds;
  if (terminal_) {
    std::fprintf(out_, "\r%s\033[K", text.c_str());
  } else {
    std::fprintf(out_, "velmora-capture: %s\n", text.c_str());
  }
  std::fflush(out_);
}

void ProgressMeter::Finish() {
  if (terminal_ && lastPrinted_ >= 0) std::fputc('\n', out_);
}
