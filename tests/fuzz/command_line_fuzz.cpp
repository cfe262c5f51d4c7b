// libFuzzer target over the three programs' command lines: the input, split at its zero bytes, is the
// words after the program's name, read by velmora, velmora-frame and velmora-capture in turn. Each answers
// with help, its version, a run with options inside their documented ranges, or one refusal line
// "PROGRAM: REASON (see PROGRAM --help)" without control characters.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/command_line.h"
#include "tests/fuzz/fuzz_support.h"
#include "timing/frame_timing.h"
#include "tools/capture/capture_options.h"
#include "tools/frame_options.h"

namespace {

template <typename Options>
bool Answers(const ParsedCommandLine<Options>& line, std::string_view program) {
  if (line.action != CommandLineAction::Refuse) return line.refusal.empty();
  const std::string start = std::string(program) + ": ";
  const std::string end = " (see " + std::string(program) + " --help)";
  const std::string& text = line.refusal;
  const auto control = [](unsigned char c) { return c < ' ' || c == 0x7f; };
  return text.size() > start.size() + end.size() && text.starts_with(start) && text.ends_with(end) &&
         std::none_of(text.begin(), text.end(), control);
}

bool InRange(PictureSize size, int largestWidth, int largestHeight) {
  return size.width >= 1 && size.height >= 1 && size.width <= largestWidth && size.height <= largestHeight;
}

bool IsInstant(double seconds) {
  return std::isfinite(seconds) && seconds >= 0 && seconds <= kShowEnd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> words(1);
  for (size_t i = 0; i < size && words.size() <= 32; ++i) {
    if (data[i] == 0) {
      words.emplace_back();
    } else {
      words.back() += char(data[i]);
    }
  }
  std::vector<const char*> arguments;
  for (const std::string& word : words) arguments.push_back(word.c_str());

  const auto live = ParseCommandLine(arguments);
  Check(Answers(live, "velmora"), "velmora answers in one of its four ways");
  if (live.action == CommandLineAction::Run) {
    const LaunchOptions& o = live.options;
    Check(!o.size || InRange({o.size->width, o.size->height}, kLargestSide, kLargestSide), "velmora's size");
    Check(IsInstant(o.from) && o.from < kShowEnd, "velmora starts inside the show");
  }

  const auto frame = ParseFrameOptions(arguments);
  Check(Answers(frame, "velmora-frame"), "velmora-frame answers in one of its four ways");
  if (frame.action == CommandLineAction::Run && !frame.options.gpu.list) {
    const FrameOptions& o = frame.options;
    Check(o.time && IsInstant(*o.time), "velmora-frame draws an instant of the show");
    Check(InRange(o.size, kLargestSide, kLargestSide) && o.step > 0 && o.step <= 1,
          "velmora-frame's size, step");
    Check(!o.output.empty(), "velmora-frame writes somewhere");
  }

  const auto capture = ParseCaptureOptions(arguments);
  Check(Answers(capture, "velmora-capture"), "velmora-capture answers in one of its four ways");
  if (capture.action == CommandLineAction::Run && !capture.options.gpu.list) {
    const CaptureOptions& o = capture.options;
    Check(InRange(o.size, kLargestSide, kLargestCaptureHeight) && o.fps > 0, "velmora-capture's size, rate");
    Check(IsInstant(o.from) && IsInstant(o.to) && o.from < o.to, "velmora-capture's span");
    Check(o.FrameCount() >= 1 && !o.output.empty(), "velmora-capture writes at least one frame somewhere");
  }
  return 0;
}
