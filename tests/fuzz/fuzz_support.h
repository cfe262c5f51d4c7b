// What the fuzz targets share: a contract check that ends the run as a finding, and a scratch file for
// readers that take a path.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline void Check(bool condition, const char* contract) {
  if (condition) return;
  std::fprintf(stderr, "broken contract: %s\n", contract);
  std::abort();
}

// A file under the temporary folder named for this process, rewritten with each input.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name)
      : path_("/tmp/velmora-fuzz-" + std::to_string(getpid()) + "-" + name) {}
  ~ScratchFile() { std::remove(path_.c_str()); }

  const std::string& Write(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    Check(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0, "scratch file written");
    return path_;
  }

 private:
  std::string path_;
};
