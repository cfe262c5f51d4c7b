#include "state/capture_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kDigits = 6;

// Drops trailing zeros of the fraction, keeping the decimal point itself.
void TrimFraction(std::string& digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

std::string Triple(const char* label, double p, double q, double r, const char* ending) {
  return std::string(label) + FormatSignificant6(p) + "," + FormatSignificant6(q) + "," +
         FormatSignificant6(r) + ending;
}

}  // namespace

std::string FormatSignificant6(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0.0) return "0.";

  // Rounded to 6 significant digits: "d.ddddde+X" gives the digits and the decimal exponent after rounding.
  char scientific[32];
  std::snprintf(scientific, sizeof scientific, "%.*e", kDigits - 1, std::fabs(value));
  const std::string mantissa = std::string(1, scientific[0]) + std::string(scientific + 2, kDigits - 1);
  const int exponent = std::atoi(scientific + kDigits + 2);

  std::string out = value < 0 ? "-" : "";
  if (exponent < -1 || exponent > kDigits - 1) {
    std::string fraction = mantissa.substr(1);
    TrimFraction(fraction);
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + mantissa[0] + "." + fraction + tail;
  }
  if (exponent < 0) {  // 0.ddddd
    std::string fraction = mantissa;
    TrimFraction(fraction);
    return out + "0." + fraction;
  }
  std::string fraction = mantissa.substr(exponent + 1);
  TrimFraction(fraction);
  return out + mantissa.substr(0, exponent + 1) + "." + fraction;
}

void AppendCameraCapture(std::string& text, const FrameRecord& frame, const CameraRecord& camera) {
  const auto& a = frame.adjust;
  const auto& p = frame.capturePoint;
  const Vec3& eye = camera.eye;
  text += Triple("Cam :", a[0], a[1], a[2], "  \n");
  text += Triple("Pnt :", p[0], p[1], p[2], "  \n \n");
  text += Triple("MCr :", eye.x, eye.y, eye.z, "  \n \n");
}
