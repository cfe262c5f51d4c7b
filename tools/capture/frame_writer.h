// Where captured frames go: a numbered PNG sequence or an MP4 encoded by ffmpeg.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tools/capture/codecs.h"

class FrameWriter {
 public:
  virtual ~FrameWriter() = default;
  // Writes frame number `frame` (RGB, top row first); false with a one-line reason.
  virtual bool Write(long long frame, std::span<const uint8_t> rgb, std::string& error) = 0;
  // Ends the output after the last frame written. A complete capture takes its final name; an incomplete one
  // (interrupted) stays under its partial name. False with a one-line reason.
  virtual bool Finish(bool complete, std::string& error) = 0;
};

// "DIR/velmora_000123.png" for frame 123: numbered by demo clock, so the frames of several captures of
// parts of the show fall into place side by side. Each file is written under its partial name and renamed.
std::unique_ptr<FrameWriter> OpenPngSequence(const std::string& directory, int width, int height);

struct VideoSettings {
  std::string output;
  int width = 0;
  int height = 0;
  int fps = 30;
  EncodingPlan encoding;
  std::string music;  // the MP3 to mux, empty for a silent video
  double musicStart = 0.0;
  double musicSeconds = 0.0;
};

// Starts ffmpeg reading raw RGB frames from a pipe and encoding them as planned into the output's partial
// name; null with the reason when it cannot be started.
std::unique_ptr<FrameWriter> StartVideoEncoder(const VideoSettings& settings, std::string& error);

// The full path of an executable found on PATH, empty when there is none.
std::string FindOnPath(const std::string& program);

// Makes sure the output can be written before any rendering starts: the directory exists (it is made when
// missing) and takes files, or the video's partial file can be created (one left by an earlier run is
// removed). A one-line reason when it cannot.
std::string PrepareOutput(const std::string& output, bool video);
