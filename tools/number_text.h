// Numbers on the tools' command lines: seconds may be written as fractions, such as 1/60 or 3553/30, so that
// a step or a frame's instant is exact.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>

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
