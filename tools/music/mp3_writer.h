// MP3 encoding with LAME: 44.1 kHz stereo, constant 192 kb/s, with a LAME info tag as the first frame.
//
// The info tag records the encoder delay and padding, so decoders that honour it (libmpg123 does) start at
// the first sample that was encoded: music position 0 is the file's first decoded sample, and the decoded
// length equals the encoded length.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct lame_global_struct;

class Mp3Writer {
 public:
  // Opens `path`.part at once, so that an unwritable destination fails before any work.
  // Throws std::runtime_error.
  explicit Mp3Writer(const std::string& path);
  ~Mp3Writer();
  Mp3Writer(const Mp3Writer&) = delete;
  Mp3Writer& operator=(const Mp3Writer&) = delete;

  // Encodes interleaved stereo samples in [-1, 1], writes the info tag and moves the file into place.
  // Throws std::runtime_error; the destination is then left as it was.
  void Write(const std::vector<float>& stereo);

 private:
  void StartEncoder();
  // Closes the encoder and removes the unfinished file, if any.
  void Discard();
  void Put(const unsigned char* bytes, size_t count);

  std::string path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  lame_global_struct* lame_ = nullptr;
};
