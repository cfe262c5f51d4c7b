// The command line of velmora-frame: which instant to draw, at which size, on which renderer, and where to.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/command_line.h"
#include "cli/option_values.h"

struct FrameOptions {
  std::optional<double> time;  // always set when the picture is to be drawn
  PictureSize size{1280, 720};
  double step = 1.0 / 60.0;
  GpuChoice gpu;
  RendererChoice renderer = RendererChoice::Auto;
  std::string output;
};

using ParsedFrameOptions = ParsedCommandLine<FrameOptions>;

// Reads the arguments after the program's name.
ParsedFrameOptions ParseFrameOptions(std::span<const char* const> arguments);

// The text of --help.
std::string FrameHelp();
