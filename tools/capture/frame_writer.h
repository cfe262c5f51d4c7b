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
  // Completes the output after the last frame written (also after an interruption); false with a reason.
  virtual bool Finish(std::string& error) = 0;
};

// "DIR/velmora_000123.png" for frame 123: numbered by demo clock, so the frames of several captures of
// parts of the show fall into place side by side.
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

// Starts ffmpeg reading raw RGB frames from a pipe and encoding them as planned; null with the reason when it
// cannot be started.
std::unique_ptr<FrameWriter> StartVideoEncoder(const VideoSettings& settings, std::string& error);

// The full path of an executable found on PATH, empty when there is none.
std::string FindOnPath(const std::string& program);

// Makes sure the output can be written before any rendering starts: the directory exists (it is made when
// missing) and takes files, or the video file can be created. A one-line reason when it cannot.
std::string PrepareOutput(const std::string& output, bool video);
