// The modal setup dialog, drawn with FLTK from the dialog template.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "desktop/display_modes.h"

struct SetupDialogResult {
  SetupChoice choice;
  size_t selection = 0;  // index into the labels
};

// Shows the dialog centred on the screen with the resolution labels, `defaultIndex` selected and the switches
// set as `initial` says, and waits for it to close. "Run ... " (or Enter) gives the result; "Quit", Escape
// and the close box give nothing. Where FLTK cannot reach the display, the reason goes to standard error and
// the result is nothing.
std::optional<SetupDialogResult> RunSetupDialog(const std::vector<std::string>& labels, size_t defaultIndex,
                                                const SetupChoice& initial);
