#include "timing/music_stream.h"

#include <algorithm>

namespace {

constexpr size_t kBlockFrames = 1 << 14;

// Room beyond the counted length, for files whose decoded length differs a little from their frame count.
size_t Capacity(size_t counted) {
  return counted + counted / 20 + size_t(kMusicRate);
}

}  // namespace

MusicStream::MusicStream(std::string path) : path_(std::move(path)) {
  thread_ = std::thread([this] { Decode(); });
}

MusicStream::~MusicStream() {
  stop_ = true;
  thread_.join();
}

void MusicStream::Decode() {
  const auto reader = Mp3Reader::Open(path_);
  if (!reader) return Finish(0);
  const size_t counted = reader->CountFrames();
  const size_t capacity = Capacity(counted);
  frames_.store(counted, std::memory_order_release);
  music_.stereo.resize(2 * capacity);
  music_.mono.resize(capacity);
  size_t decoded = 0;
  while (!stop_ && decoded < capacity) {
    const size_t read =
        reader->Read(music_.stereo.data() + 2 * decoded, std::min(kBlockFrames, capacity - decoded));
    if (read == 0) break;
    MixToMono(std::span(music_.stereo).subspan(2 * decoded, 2 * read),
              std::span(music_.mono).subspan(decoded, read));
    decoded += read;
    {
      std::lock_guard lock(mutex_);  // a waiter between its check and its sleep still hears of it
      decoded_.store(decoded, std::memory_order_release);
    }
    progress_.notify_all();
  }
  Finish(decoded);
}

void MusicStream::Finish(size_t frames) {
  frames_.store(frames, std::memory_order_release);
  {
    std::lock_guard lock(mutex_);
    ended_ = true;
  }
  progress_.notify_all();
}

bool MusicStream::WaitUntilPlayable() {
  WaitFor(1);
  return Decoded() > 0;
}

void MusicStream::WaitFor(size_t frames) {
  std::unique_lock lock(mutex_);
  progress_.wait(lock, [&] { return ended_ || Decoded() >= frames; });
}
