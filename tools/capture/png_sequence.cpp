// Frames as numbered PNG files.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/capture/frame_writer.h"
#include "cli/png_file.h"
#include "tools/capture/partial_file.h"

namespace {

class PngSequence : public FrameWriter {
 public:
  PngSequence(std::string directory, int width, int height)
      : directory_(std::move(directory)), width_(width), height_(height) {
    if (directory_.back() != '/') directory_ += '/';
  }

  bool Write(long long frame, std::span<const uint8_t> rgb, std::string& error) override {
    char name[32];
    std::snprintf(name, sizeof name, "velmora_%06lld.png", frame);
    const std::string path = directory_ + name;
    const std::string partial = PartialName(path);
    errno = 0;
    if (!WritePng(partial, rgb, width_, height_)) {
      error = "cannot write " + path + ": " + (errno ? std::strerror(errno) : "write failed");
      return false;
    }
    return MoveIntoPlace(partial, path, false, error);
  }

  bool Finish(bool, std::string&) override { return true; }

 private:
  std::string directory_;
  int width_;
  int height_;
};

}  // namespace

std::unique_ptr<FrameWriter> OpenPngSequence(const std::string& directory, int width, int height) {
  return std::make_unique<PngSequence>(directory, width, height);
}
