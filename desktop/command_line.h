// The live program's command line (GNU style): what to show first and which of the setup dialog's defaults
// to change. Without options the program starts as it always has, with the dialog.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/command_line.h"
#include "desktop/display_modes.h"

struct LaunchOptions {
  SetupChoice choice;               // the dialog's switches, as the options set them
  std::optional<DisplayMode> size;  // --size: the picture's (and a window's) size
  bool showDialog = true;
  bool exclusive = false;  // full screen switches the display to the chosen mode
  double from = 0.0;       // seconds of demo clock to start at
  RendererChoice renderer = RendererChoice::Auto;
};

using CommandLine = ParsedCommandLine<LaunchOptions>;

// Reads the arguments after the program's name.
CommandLine ParseCommandLine(std::span<const char* const> arguments);

// The text of --help.
std::string UsageText();
