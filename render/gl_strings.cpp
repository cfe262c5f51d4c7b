#include "render/gl_strings.h"

#include <algorithm>
#include <charconv>
#include <cstring>

GlVersion ParseGlVersion(const char* text) {
  if (!text) return {};
  constexpr std::string_view kEs = "OpenGL ES";  // then "-CM", "-CL" or nothing before the number
  GlVersion version;
  version.es = std::string_view(text).starts_with(kEs);
  const char* end = text + std::strlen(text);
  const char* at = std::find_if(text, end, [](char c) { return c >= '0' && c <= '9'; });
  const auto [afterMajor, majorError] = std::from_chars(at, end, version.major);
  if (majorError != std::errc() || afterMajor == end || *afterMajor != '.') return {};
  const auto [afterMinor, minorError] = std::from_chars(afterMajor + 1, end, version.minor);
  if (minorError != std::errc()) return {};
  return version;
}

bool IsCpuRasteriser(std::string_view renderer) {
  for (std::string_view name : {"llvmpipe", "softpipe", "Software Rasterizer"}) {
    if (renderer.starts_with(name)) return true;
  }
  return false;
}

bool ContainsExtensionWord(std::string_view list, std::string_view name) {
  if (name.empty()) return false;
  for (size_t at = list.find(name); at != std::string_view::npos; at = list.find(name, at + 1)) {
    const size_t end = at + name.size();
    const bool startsWord = at == 0 || list[at - 1] == ' ';
    const bool endsWord = end == list.size() || list[end] == ' ';
    if (startsWord && endsWord) return true;
  }
  return false;
}
