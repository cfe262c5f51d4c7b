// Numbers on command lines: seconds may be written as fractions, such as 1/60 or 3553/30, so that a step or
// a frame's instant is exact; picture sizes are written WIDTHxHEIGHT. The readers give nothing for text
// that is no such number; the callers check the range.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A decimal number or a fraction of two ("3553/30"); nothing for a zero denominator or a result that is not
// finite. Only digits, signs, points, exponents and one slash are taken (no spaces, hex, "inf" or "nan").
std::optional<double> ParseFraction(std::string_view text);

// The largest whole number read, well inside an int.
constexpr int kLargestWholeNumber = 1000000;

// A whole number from 0 to kLargestWholeNumber, written in decimal digits alone.
std::optional<int> ParseWholeNumber(std::string_view text);

struct PictureSize {
  int width = 0, height = 0;
  bool operator==(const PictureSize&) const = default;
};

// "1280x720": two whole numbers joined by an x.
std::optional<PictureSize> ParsePictureSize(std::string_view text);

// "1280x720".
std::string FormatPictureSize(PictureSize size);

// As few digits as say the number: "236.8", "30", "0.5".
std::string FormatNumber(double value);
