// What a context says of itself in its GL_VERSION and GL_EXTENSIONS strings, read the same way on the
// desktop and on the web page.
#pragma once

#include <string_view>

struct GlVersion {
  bool es = false;  // OpenGL ES; WebGL 2 calls itself OpenGL ES 3.0
  int major = 0, minor = 0;
  bool AtLeast(int wantedMajor, int wantedMinor) const {
    return major > wantedMajor || (major == wantedMajor && minor >= wantedMinor);
  }
};

// Reads "4.5 (Compatibility Profile) Mesa 22.3.6", "3.3 (Core Profile) Mesa ...", "OpenGL ES 3.2 Mesa ...",
// "OpenGL ES 3.0 (WebGL 2.0 ...)"; version 0.0 for a missing or unreadable string.
GlVersion ParseGlVersion(const char* text);

// True when a context's GL_RENDERER names one of Mesa's rasterisers on the CPU ("llvmpipe (LLVM 15.0.6, 256
// bits)", "softpipe", the old "Software Rasterizer").
bool IsCpuRasteriser(std::string_view renderer);

// True when `name` occurs in the blank-separated `list` as a whole word.
bool ContainsExtensionWord(std::string_view list, std::string_view name);
