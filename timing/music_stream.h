// MusicStream: an MP3 file decoded on a thread of its own, so that the show can start playing its first
// seconds while the rest is still being decoded.
//
// The buffers are sized for the whole piece before the first sample is written (the file's frames are
// counted first) and never move, so readers on other threads may use everything below Decoded() at any time.
// The samples are exactly those of DecodeMp3File.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "timing/music_decoder.h"

class MusicStream {
 public:
  explicit MusicStream(std::string path);  // starts decoding
  ~MusicStream();                          // stops decoding and waits for the thread
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;

  const std::string& Path() const { return path_; }

  // Waits until the first samples are decoded or the decoding has ended: false when the file is missing,
  // holds no MP3 audio or not a single sample.
  bool WaitUntilPlayable();

  // Waits until `frames` frames are decoded or the decoding has ended.
  void WaitFor(size_t frames);

  // Frames decoded so far; the samples below are final.
  size_t Decoded() const { return decoded_.load(std::memory_order_acquire); }
  // The length of the piece in frames: counted before decoding, exact once it has ended.
  size_t Frames() const { return frames_.load(std::memory_order_acquire); }

  // The first Decoded() frames: interleaved 44.1 kHz stereo, and their mono mix scaled to -1 ... 1.
  std::span<const int16_t> Stereo() const { return {music_.stereo.data(), 2 * Decoded()}; }
  std::span<const float> Mono() const { return {music_.mono.data(), Decoded()}; }

 private:
  void Decode();
  void Finish(size_t frames);

  std::string path_;
  DecodedMusic music_;  // sized before decoding starts
  std::atomic<size_t> decoded_{0};
  std::atomic<size_t> frames_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable progress_;
  bool ended_ = false;  // under mutex_
  std::thread thread_;
};
