#include "timing/music_decoder.h"

#include <mpg123.h>

namespace {

mpg123_handle* HandleOf(void* handle) {
  return static_cast<mpg123_handle*>(handle);
}

}  // namespace

std::unique_ptr<Mp3Reader> Mp3Reader::Open(const std::string& path) {
  int error = MPG123_OK;
  // mpg123's portable decoder: its SIMD ones round differently from each other, so the samples (and the
  // spectrum the scenes react to) would depend on the processor; the web build has only this one.
  mpg123_handle* handle = mpg123_new("generic", &error);
  if (!handle) return nullptr;
  std::unique_ptr<Mp3Reader> reader(new Mp3Reader(handle));
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0.0);
  mpg123_format_none(handle);
  if (mpg123_format(handle, kMusicRate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) return nullptr;
  if (mpg123_open(handle, path.c_str()) != MPG123_OK) return nullptr;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate != kMusicRate ||
      channels != 2 || encoding != MPG123_ENC_SIGNED_16) {
    return nullptr;
  }
  return reader;
}

Mp3Reader::~Mp3Reader() {
  mpg123_close(HandleOf(handle_));
  mpg123_delete(HandleOf(handle_));
}

size_t Mp3Reader::CountFrames() {
  if (mpg123_scan(HandleOf(handle_)) != MPG123_OK) return 0;
  const off_t length = mpg123_length(HandleOf(handle_));
  return length > 0 ? size_t(length) : 0;
}

size_t Mp3Reader::Read(int16_t* out, size_t most) {
  while (!ended_) {
    size_t bytes = 0;
    const int status = mpg123_read(HandleOf(handle_), out, most * 2 * sizeof(int16_t), &bytes);
    ended_ = status != MPG123_OK && status != MPG123_NEW_FORMAT;  // the end, or a damaged or cut stream
    const size_t frames = bytes / (2 * sizeof(int16_t));
    if (frames > 0) return frames;
  }
  return 0;
}

void MixToMono(std::span<const int16_t> stereo, std::span<float> mono) {
  for (size_t i = 0; i < mono.size(); ++i) {
    mono[i] = (float(stereo[2 * i]) + float(stereo[2 * i + 1])) / 65536.0f;
  }
}

std::optional<DecodedMusic> DecodeMp3File(const std::string& path) {
  const auto reader = Mp3Reader::Open(path);
  if (!reader) return std::nullopt;
  constexpr size_t kBlockFrames = 1 << 14;
  DecodedMusic music;
  for (size_t frames = 0;;) {
    music.stereo.resize(2 * (frames + kBlockFrames));
    const size_t read = reader->Read(music.stereo.data() + 2 * frames, kBlockFrames);
    frames += read;
    if (read == 0) {
      music.stereo.resize(2 * frames);
      break;
    }
  }
  if (music.stereo.empty()) return std::nullopt;
  music.mono.resize(music.stereo.size() / 2);
  MixToMono(music.stereo, music.mono);
  return music;
}
