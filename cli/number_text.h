// Numbers on command lines: seconds may be written as fractions, such as 1/60 or 3553/30, so that a step or
// a frame's instant is exact; picture sizes are written WIDTHxHEIGHT.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

inline std::optional<double> ParseFraction(const char* text) {
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (end != text && *end == '/') {
    const char* denominatorStart = end + 1;
    const double denominator = std::strtod(denominatorStart, &end);
    if (end == denominatorStart || denominator == 0) return std::nullopt;
    value /= denominator;
  }
  if (end == text || *end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// A whole number from 0 to a million, written in decimal digits alone.
inline std::optional<int> ParseWholeNumber(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (text.size() > 7 || value > 1000000) return std::nullopt;
  return int(value);
}

struct PictureSize {
  int width = 0, height = 0;
};

// "1280x720"; the caller checks the range.
inline std::optional<PictureSize> ParsePictureSize(const std::string& text) {
  const size_t cross = text.find('x');
  if (cross == std::string::npos) return std::nullopt;
  const auto width = ParseWholeNumber(text.substr(0, cross));
  const auto height = ParseWholeNumber(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return PictureSize{*width, *height};
}
