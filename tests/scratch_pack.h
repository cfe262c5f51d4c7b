// A scratch working directory holding the build's asset pack and no music, so that the show renders in
// silence (both spectrum levels 0) whatever the build made; the previous directory comes back on exit.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

class ScratchPack {
 public:
  ScratchPack()
      : previous_(std::filesystem::current_path()),
        scratch_(std::filesystem::temp_directory_path() / ("velmora-pack-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(scratch_);
    std::filesystem::create_directory_symlink(std::filesystem::path(VELMORA_PACK_DIR) / "textures",
                                              scratch_ / "textures");
    std::filesystem::current_path(scratch_);
  }
  ~ScratchPack() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(scratch_);
  }
  ScratchPack(const ScratchPack&) = delete;
  ScratchPack& operator=(const ScratchPack&) = delete;

 private:
  std::filesystem::path previous_, scratch_;
};
