// Decodes a whole MP3 file into memory: 44.1 kHz stereo for playback and a mono mix for the spectrum.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr int kMusicRate = 44100;

struct DecodedMusic {
  std::vector<int16_t> stereo;  // interleaved left, right
  std::vector<float> mono;      // (left + right) / 2, scaled to -1 ... 1
  size_t Frames() const { return mono.size(); }
};

// Nothing when the file is missing, unreadable or holds no MP3 audio. A file cut short gives the audio up to
// the cut.
std::optional<DecodedMusic> DecodeMp3File(const std::string& path);
