#include "desktop/display_modes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr int32_t kLargestOfferedSide = 2047;
constexpr double kWidestRatio = 1.8;
}  // namespace

bool IsOfferedMode(DisplayMode mode) {
  const double w = mode.width, h = mode.height;
  if (mode.width <= 0 || mode.height <= 0) return false;
  return w / h <= kWidestRatio && h / w <= kWidestRatio && mode.width <= kLargestOfferedSide &&
         mode.height <= kLargestOfferedSide && mode.height <= mode.width;
}

std::vector<DisplayMode> FilterDisplayModes(std::span<const DisplayMode> reported) {
  std::vector<DisplayMode> offered;
  for (const DisplayMode& mode : reported) {
    if (IsOfferedMode(mode) && std::find(offered.begin(), offered.end(), mode) == offered.end()) {
      offered.push_back(mode);
    }
  }
  return offered;
}

std::vector<DisplayMode> ModesForDialog(std::vector<DisplayMode> offered, DisplayMode desktop) {
  if (offered.empty()) offered.push_back(desktop);
  return offered;
}

std::string DisplayModeLabel(DisplayMode mode) {
  const double ratio = double(mode.width) / double(mode.height);
  const char* aspect = "(4:3)";
  if (std::fabs(ratio - 1.6) < 0.01) {
    aspect = "(16:10)";
  } else if (std::fabs(ratio - 1.7777777777777777) < 0.01) {
    aspect = "(16:9)";
  }
  char label[64];
  std::snprintf(label, sizeof label, " %d x %d  %s", mode.width, mode.height, aspect);
  return label;
}

size_t DefaultModeIndex(const std::vector<DisplayMode>& modes) {
  for (DisplayMode preferred : {DisplayMode{1280, 720}, DisplayMode{1024, 768}}) {
    auto found = std::find(modes.begin(), modes.end(), preferred);
    if (found != modes.end()) return size_t(found - modes.begin());
  }
  return 0;
}

size_t SelectMode(std::vector<DisplayMode>& modes, DisplayMode wanted) {
  const auto found = std::find(modes.begin(), modes.end(), wanted);
  if (found != modes.end()) return size_t(found - modes.begin());
  modes.push_back(wanted);
  return modes.size() - 1;
}

void ApplyRunCommand(SetupOptions& setup, const SetupChoice& choice, DisplayMode mode) {
  setup.musicOn = choice.music;
  setup.fullscreen = !choice.windowed;
  setup.forceWide = choice.forceWide;
  setup.rehearse = choice.rehearse;
  setup.windowWidth = mode.width;
  setup.windowHeight = mode.height;
  setup.renderWidth = mode.width;
  setup.renderHeight = mode.height;
  if (setup.forceWide) {
    setup.renderHeight = static_cast<int32_t>(mode.width * 0.5625);
    if (!setup.fullscreen) setup.windowHeight = setup.renderHeight;
  }
}
