// Bytes that the program's C++ code holds through operator new: a measure of our own allocations that does
// not move with the GL driver's C heap, its caches or the machine's load. Counted only where no sanitizer
// brings its own operator new.
#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAllocationsAreCounted = false;
#else
constexpr bool kAllocationsAreCounted = true;
#endif

size_t LiveNewBytes();
