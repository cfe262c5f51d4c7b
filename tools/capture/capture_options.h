// The command line of velmora-capture: what to render, at which size and rate, and where to put it.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/command_line.h"
#include "cli/option_values.h"
#include "tools/capture/codecs.h"

enum class Sampling { Multisample4, Supersample2, Supersample4 };

struct CaptureOptions {
  PictureSize size{1280, 720};
  int fps = 30;
  double from = 0.0;     // demo clock, seconds
  double to = kShowEnd;  // demo clock, seconds
  Sampling sampling = Sampling::Multisample4;
  std::optional<int> crf;  // the encoder's quality knob; its own default unless given
  std::string codec;       // h264 unless given (or the --encoder's codec)
  std::string encoder;     // an ffmpeg encoder by name; the codec's own unless given
  GpuChoice gpu;
  RendererChoice renderer = RendererChoice::Auto;
  std::string output;
  bool video = false;  // a video file (its container from the extension); otherwise a directory of PNGs
  Container container = Container::Mp4;

  // Frames are numbered by their demo clock: frame k is drawn at k / fps. A capture holds the frames after
  // `from` up to and including `to`, both rounded to the nearest frame.
  long long FirstFrame() const;
  long long LastFrame() const;
  long long FrameCount() const { return LastFrame() - FirstFrame() + 1; }
  // How many times larger than the output each side is rendered.
  int SupersampleFactor() const;
};

using ParsedCapture = ParsedCommandLine<CaptureOptions>;

// Reads the arguments after the program's name.
ParsedCapture ParseCaptureOptions(std::span<const char* const> arguments);

// The text of --help.
std::string CaptureHelp();
