#include "timing/music_decoder.h"

#include <mpg123.h>

#include <memory>

namespace {

struct HandleCloser {
  void operator()(mpg123_handle* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
  }
};
using Mpg123 = std::unique_ptr<mpg123_handle, HandleCloser>;

// A decoder that only outputs 44.1 kHz signed 16-bit stereo, resampling and upmixing where the file differs.
Mpg123 OpenDecoder(const std::string& path) {
  int error = MPG123_OK;
  Mpg123 handle(mpg123_new(nullptr, &error));
  if (!handle) return nullptr;
  mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO, 0.0);
  mpg123_format_none(handle.get());
  if (mpg123_format(handle.get(), kMusicRate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK)
    return nullptr;
  if (mpg123_open(handle.get(), path.c_str()) != MPG123_OK) return nullptr;
  return handle;
}

}  // namespace

std::optional<DecodedMusic> DecodeMp3File(const std::string& path) {
  Mpg123 decoder = OpenDecoder(path);
  if (!decoder) return std::nullopt;
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(decoder.get(), &rate, &channels, &encoding) != MPG123_OK || rate != kMusicRate ||
      channels != 2 || encoding != MPG123_ENC_SIGNED_16) {
    return std::nullopt;
  }

  DecodedMusic music;
  std::vector<unsigned char> block(1 << 16);
  for (;;) {
    size_t done = 0;
    const int status = mpg123_read(decoder.get(), block.data(), block.size(), &done);
    const auto* samples = reinterpret_cast<const int16_t*>(block.data());
    music.stereo.insert(music.stereo.end(), samples, samples + done / sizeof(int16_t));
    if (status == MPG123_NEW_FORMAT) continue;
    if (status != MPG123_OK) break;  // the end, or a damaged or cut stream: keep what was decoded
  }
  music.stereo.resize(music.stereo.size() / 2 * 2);
  if (music.stereo.empty()) return std::nullopt;

  music.mono.resize(music.stereo.size() / 2);
  for (size_t i = 0; i < music.mono.size(); ++i) {
    music.mono[i] = (float(music.stereo[2 * i]) + float(music.stereo[2 * i + 1])) / 65536.0f;
  }
  return music;
}
