// The command line of velmora-capture: what to render, at which size and rate, and where to put it.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "render/batched/batched_gl.h"
#include "tools/capture/codecs.h"

enum class Sampling { Multisample4, Supersample2, Supersample4 };

struct CaptureOptions {
  int width = 1280;
  int height = 720;
  int fps = 30;
  double from = 0.0;  // demo clock, seconds
  double to = 0.0;    // the show's end unless given
  Sampling sampling = Sampling::Multisample4;
  std::optional<int> crf;  // the encoder's quality knob; its own default unless given
  std::string codec;       // h264 unless given (or the --encoder's codec)
  std::string encoder;     // an ffmpeg encoder by name; the codec's own unless given
  int gpu = -1;            // the EGL device to draw on; -1 picks one
  RendererChoice renderer = RendererChoice::Auto;
  bool listGpus = false;
  std::string output;
  bool video = false;  // a video file (its container from the extension); otherwise a directory of PNGs
  Container container = Container::Mp4;
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
    "Usage: velmora-capture [OPTION]... OUT.mp4|OUT.mkv|OUT.mov|OUT_DIR/\n"
    "Renders the Velmora show without a display, frame by exact frame, into a video with its music or into\n"
    "numbered PNGs.\n"
    "\n"
    "  --size WxH        the picture's size, up to 7680x4320 (default 1280x720)\n"
    "  --fps N           frames a second, 1 to 240 (default 30)\n"
    "  --from S, --to S  the span, in seconds of demo clock (default the whole show; fractions allowed)\n"
    "  --samples 4|ssaa2|ssaa4  the show's 4 samples, or 2 or 4 times larger pictures averaged down\n"
    "  --codec C         h264 (default), hevc, av1 (in .mp4/.mkv), prores (ProRes 4444, .mov/.mkv) or\n"
    "                    ffv1 (lossless RGB, .mkv)\n"
    "  --encoder NAME    any video encoder of the installed ffmpeg for that codec, such as h264_nvenc\n"
    "  --crf N           the encoder's quality knob (x264 and x265 0-51, AV1 0-63; not for prores, ffv1)\n"
    "  --gpu auto|N|list the EGL device to draw on (list: print them and exit)\n"
    "  --renderer R      auto (the batched renderer where it can be made), batched or compat\n"
    "  --help            show this help and exit\n";

struct ParsedCapture {
  CaptureOptions options;
  std::string error;  // one line; empty when the command line is good
};

// Reads the arguments after the program name. Numbers of seconds may be written as fractions (3553/30).
ParsedCapture ParseCaptureOptions(std::span<const char* const> arguments);
