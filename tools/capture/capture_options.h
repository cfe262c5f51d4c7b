// The command line of velmora-capture: what to render, at which size and rate, and where to put it.
#pragma once

#include <span>
#include <string>

enum class Sampling { Multisample4, Supersample2, Supersample4 };

struct CaptureOptions {
  int width = 1280;
  int height = 720;
  int fps = 30;
  double from = 0.0;  // demo clock, seconds
  double to = 0.0;    // the show's end unless given
  Sampling sampling = Sampling::Multisample4;
  int crf = 16;  // H.264 quality: 0 is lossless, 51 the worst
  std::string output;
  bool video = false;  // an MP4 file; otherwise a directory of numbered PNGs
  bool help = false;

  // Frames are numbered by their demo clock: frame k is drawn at k / fps. A capture holds the frames after
  // `from` up to and including `to`, both rounded to the nearest frame.
  long long FirstFrame() const;
  long long LastFrame() const;
  long long FrameCount() const { return LastFrame() - FirstFrame() + 1; }
  // How many times larger than the output each side is rendered.
  int SupersampleFactor() const;
};

constexpr int kLargestCaptureWidth = 7680;
constexpr int kLargestCaptureHeight = 4320;
constexpr int kHighestCaptureFps = 240;

inline constexpr const char* kCaptureUsage =
    "usage: velmora-capture [--size WxH] [--fps N] [--from S] [--to S] [--samples 4|ssaa2|ssaa4] [--crf N] "
    "OUT.mp4|OUT_DIR/";

struct ParsedCapture {
  CaptureOptions options;
  std::string error;  // one line; empty when the command line is good
};

// Reads the arguments after the program name. Numbers of seconds may be written as fractions (3553/30).
ParsedCapture ParseCaptureOptions(std::span<const char* const> arguments);
