// Decodes MP3 files: 44.1 kHz stereo for playback and a mono mix for the spectrum.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

constexpr int kMusicRate = 44100;

struct DecodedMusic {
  std::vector<int16_t> stereo;  // interleaved left, right
  std::vector<float> mono;      // (left + right) / 2, scaled to -1 ... 1
  size_t Frames() const { return mono.size(); }
};

// An MP3 file opened for decoding to 44.1 kHz signed 16-bit stereo, resampled and upmixed where the file
// differs.
class Mp3Reader {
 public:
  // Nothing when the file is missing, unreadable or holds no MP3 audio.
  static std::unique_ptr<Mp3Reader> Open(const std::string& path);
  ~Mp3Reader();
  Mp3Reader(const Mp3Reader&) = delete;
  Mp3Reader& operator=(const Mp3Reader&) = delete;

  // The length in frames, counted by walking the file's frame headers; the reading goes on where it was.
  size_t CountFrames();
  // Decodes up to `most` frames into `out` (two samples a frame) and returns how many: 0 at the end, and
  // where the stream is damaged or cut.
  size_t Read(int16_t* out, size_t most);

 private:
  explicit Mp3Reader(void* handle) : handle_(handle) {}
  void* handle_;  // mpg123_handle
  bool ended_ = false;
};

// mono[i] = (left + right) / 65536 of frame i.
void MixToMono(std::span<const int16_t> stereo, std::span<float> mono);

// The whole file in memory. Nothing when the file is missing, unreadable or holds no MP3 audio; a file cut
// short gives the audio up to the cut.
std::optional<DecodedMusic> DecodeMp3File(const std::string& path);
