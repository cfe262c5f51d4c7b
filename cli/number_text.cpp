#include "cli/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// strtod over the whole of `text`; nothing where any of it is left over.
std::optional<double> ParseDecimal(std::string_view text) {
  const std::string whole(text);
  char* end = nullptr;
  const double value = std::strtod(whole.c_str(), &end);
  if (whole.empty() || *end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> ParseFraction(std::string_view text) {
  if (text.find_first_not_of("0123456789+-.eE/") != std::string_view::npos) return std::nullopt;
  const size_t slash = text.find('/');
  const auto numerator = ParseDecimal(text.substr(0, slash));
  if (!numerator) return std::nullopt;
  double value = *numerator;
  if (slash != std::string_view::npos) {
    const auto denominator = ParseDecimal(text.substr(slash + 1));
    if (!denominator) return std::nullopt;
    value /= *denominator;
  }
  if (!std::isfinite(value)) return std::nullopt;  // also what a zero denominator gives
  return value;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  const long value = std::strtol(std::string(text).c_str(), nullptr, 10);  // LONG_MAX when too long
  if (value > kLargestWholeNumber) return std::nullopt;
  return int(value);
}

std::optional<PictureSize> ParsePictureSize(std::string_view text) {
  const size_t cross = text.find('x');
  if (cross == std::string_view::npos) return std::nullopt;
  const auto width = ParseWholeNumber(text.substr(0, cross));
  const auto height = ParseWholeNumber(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return PictureSize{*width, *height};
}

std::string FormatPictureSize(PictureSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string FormatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}
