#include "tools/music/mp3_writer.h"

#include <lame/lame.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tools/music/score.h"

Mp3Writer::Mp3Writer(const std::string& path) : path_(path), temporary_(path + ".part") {
  file_ = std::fopen(temporary_.c_str(), "wb");
  if (!file_) throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
  try {
    StartEncoder();
  } catch (...) {
    Discard();
    throw;
  }
}

void Mp3Writer::StartEncoder() {
  lame_ = lame_init();
  if (!lame_) throw std::runtime_error("cannot start the MP3 encoder");
  lame_set_in_samplerate(lame_, kMusicRate);
  lame_set_out_samplerate(lame_, kMusicRate);
  lame_set_num_channels(lame_, 2);
  lame_set_mode(lame_, JOINT_STEREO);
  lame_set_VBR(lame_, vbr_off);
  lame_set_brate(lame_, 192);
  lame_set_quality(lame_, 2);
  lame_set_bWriteVbrTag(lame_, 1);            // reserves the info tag frame on the first encode
  lame_set_write_id3tag_automatic(lame_, 0);  // nothing before that frame
  if (lame_init_params(lame_) < 0) throw std::runtime_error("MP3 encoder rejected its settings");
}

Mp3Writer::~Mp3Writer() {
  Discard();
}

void Mp3Writer::Discard() {
  if (lame_) lame_close(lame_);
  lame_ = nullptr;
  if (file_) {
    std::fclose(file_);
    std::remove(temporary_.c_str());
  }
  file_ = nullptr;
}

void Mp3Writer::Put(const unsigned char* bytes, size_t count) {
  if (count > 0 && std::fwrite(bytes, 1, count, file_) != count) {
    throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
  }
}

void Mp3Writer::Write(const std::vector<float>& stereo) {
  constexpr int kBlockFrames = 8192;
  // LAME's documented worst case for one call: 1.25 * samples + 7200 bytes.
  std::vector<unsigned char> encoded(kBlockFrames * 5 / 4 + 7200);
  const size_t frames = stereo.size() / 2;
  for (size_t at = 0; at < frames; at += kBlockFrames) {
    const int block = static_cast<int>(std::min<size_t>(kBlockFrames, frames - at));
    const int bytes = lame_encode_buffer_interleaved_ieee_float(
        lame_, stereo.data() + 2 * at, block, encoded.data(), static_cast<int>(encoded.size()));
    if (bytes < 0) throw std::runtime_error("MP3 encoder failed (" + std::to_string(bytes) + ")");
    Put(encoded.data(), static_cast<size_t>(bytes));
  }
  const int tail = lame_encode_flush(lame_, encoded.data(), static_cast<int>(encoded.size()));
  if (tail < 0) throw std::runtime_error("MP3 encoder failed to flush (" + std::to_string(tail) + ")");
  Put(encoded.data(), static_cast<size_t>(tail));

  // The final info tag replaces the placeholder frame at the start of the file.
  unsigned char tag[4096];
  const size_t tag_size = lame_get_lametag_frame(lame_, tag, sizeof tag);
  if (tag_size == 0 || tag_size > sizeof tag) throw std::runtime_error("MP3 encoder gave no info tag");
  if (std::fseek(file_, 0, SEEK_SET) != 0) throw std::runtime_error("cannot seek in " + temporary_);
  Put(tag, tag_size);

  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) {
    std::remove(temporary_.c_str());
    throw std::runtime_error("cannot write " + path_ + ": " + std::strerror(errno));
  }
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(temporary_.c_str());
    throw std::runtime_error("cannot write " + path_ + ": " + reason);
  }
}
