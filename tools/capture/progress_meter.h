// The capture's progress on standard error: a bar redrawn in place on a terminal, a plain line every few
// seconds otherwise (a log file, a pipe, GNU parallel collecting the output).
#pragma once

#include <cstdio>
#include <string>

// "frame 120 of 7104 [####      ] 1.7%  4.2 fps  27:41 left": `bar` adds the bar.
std::string ProgressText(long long done, long long total, double elapsedSeconds, bool bar);

class ProgressMeter {
 public:
  // `renderer` is named in the first output, so that a log says what drew the frames.
  ProgressMeter(long long total, std::FILE* out, std::string renderer);
  // After each frame; `elapsedSeconds` since the first frame began.
  void Update(long long done, double elapsedSeconds);
  // Ends the bar's line on a terminal.
  void Finish();

 private:
  long long total_;
  std::FILE* out_;
  bool terminal_;
  double lastPrinted_ = -1.0;
  std::string renderer_;
};
