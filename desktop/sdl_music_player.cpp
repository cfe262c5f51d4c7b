#include "desktop/sdl_music_player.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kDeviceBufferFrames = 1024;
constexpr uint32_t kDecodedAheadOfStart = 5 * kMusicRate;  // decoding outruns playing by far from there on
}  // namespace

SdlMusicPlayer::~SdlMusicPlayer() {
  Close();
}

bool SdlMusicPlayer::Init() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  device_ = OpenDevice();
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

SDL_AudioDeviceID SdlMusicPlayer::OpenDevice() {
  SDL_AudioSpec wanted{};
  wanted.freq = kMusicRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = FillCallback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  const SDL_AudioDeviceID device =
      SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);  // SDL converts to what the device needs
  if (device != 0) bufferFrames_ = obtained.samples;
  return device;
}

void SdlMusicPlayer::Prefetch(const std::string& path) {
  stream_ = std::make_unique<MusicStream>(path);
}

bool SdlMusicPlayer::Load(const std::string& path) {
  SDL_LockAudioDevice(device_);
  if (!stream_ || stream_->Path() != path) stream_ = std::make_unique<MusicStream>(path);
  SDL_UnlockAudioDevice(device_);
  return stream_->WaitUntilPlayable();
}

void SdlMusicPlayer::Play(uint32_t startSample) {
  stream_->WaitFor(size_t(startSample) + kDecodedAheadOfStart);
  if (silent_) {
    silent_->Seek(startSample, counter_());
    return;
  }
  SDL_LockAudioDevice(device_);
  cursor_.Start(startSample);
  positionFloor_ = startSample;
  lastFillCounter_ = SDL_GetPerformanceCounter();
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void SdlMusicPlayer::FillCallback(void* player, Uint8* stream, int bytes) {
  static_cast<SdlMusicPlayer*>(player)->Fill(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

void SdlMusicPlayer::Fill(int16_t* out, int frames) {
  std::memset(out, 0, size_t(frames) * 4);
  if (!stream_) return;
  const std::span<const int16_t> stereo = stream_->Stereo();
  const uint64_t decoded = stereo.size() / 2;
  const double volume = volume_.load(std::memory_order_relaxed) / 255.0;
  for (int i = 0; i < frames; ++i) {
    const auto step = cursor_.Next();
    if (!step) break;
    if (step->frame >= decoded) continue;
    const double gain = volume * step->gain;
    out[2 * i] = int16_t(stereo[2 * step->frame] * gain);
    out[2 * i + 1] = int16_t(stereo[2 * step->frame + 1] * gain);
  }
  lastFillCounter_ = SDL_GetPerformanceCounter();
}

// The device plays what the last fill handed over during the following buffer period, so the sample heard
// now lies one buffer behind the consumed count, plus the time since that fill.
uint32_t SdlMusicPlayer::Position() {
  if (!stream_) return 0;
  if (silent_) return WithinMusic(int64_t(silent_->Frame(counter_())));
  if (!device_) return 0;
  SDL_LockAudioDevice(device_);
  const uint32_t position = HeardPosition();
  SDL_UnlockAudioDevice(device_);
  return position;
}

uint32_t SdlMusicPlayer::HeardPosition() const {
  if (!cursor_.Started()) return 0;
  if (cursor_.PausedOrPausing()) return pausedAt_;
  if (const auto jump = cursor_.PendingJump()) return uint32_t(*jump);
  const double sinceFill =
      double(SDL_GetPerformanceCounter() - lastFillCounter_) / double(SDL_GetPerformanceFrequency());
  const int64_t advanced = std::min<int64_t>(int64_t(sinceFill * kMusicRate), bufferFrames_);
  return WithinMusic(std::max(int64_t(cursor_.Frame()) - bufferFrames_ + advanced, int64_t(positionFloor_)));
}

uint32_t SdlMusicPlayer::WithinMusic(int64_t frame) const {
  return uint32_t(std::clamp<int64_t>(frame, 0, int64_t(stream_->Frames())));
}

uint32_t SdlMusicPlayer::Length() {
  return stream_ ? uint32_t(stream_->Frames()) : 0;
}

const float* SdlMusicPlayer::Spectrum() {
  if (stream_) analyser_.Analyse(stream_->Mono(), Position(), spectrum_);
  return spectrum_.data();
}

const float* SdlMusicPlayer::SpectrumAt(uint32_t sample) {
  if (stream_) {
    stream_->WaitFor(sample);
    analyser_.Analyse(stream_->Mono(), sample, spectrum_);
  }
  return spectrum_.data();
}

void SdlMusicPlayer::Pause() {
  if (silent_) {
    silent_->Pause(counter_());
    return;
  }
  if (!device_ || !stream_) return;
  SDL_LockAudioDevice(device_);
  if (!cursor_.PausedOrPausing()) pausedAt_ = HeardPosition();
  cursor_.Pause();
  SDL_UnlockAudioDevice(device_);
}

void SdlMusicPlayer::Seek(uint32_t sample) {
  if ((!device_ && !silent_) || !stream_) return;
  stream_->WaitFor(size_t(sample) + kDecodedAheadOfStart);
  if (silent_) {
    silent_->Seek(sample, counter_());
    return;
  }
  SDL_LockAudioDevice(device_);
  positionFloor_ = sample;
  cursor_.Seek(sample);
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void SdlMusicPlayer::SetVolume(int volume) {
  volume_.store(std::clamp(volume, 0, 255));
}

void SdlMusicPlayer::Close() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
  }
  cursor_ = PlaybackCursor(kFadeFrames);
  silent_.reset();
  stream_.reset();
}

DeviceLoss SdlMusicPlayer::HandleDeviceRemoved(SDL_AudioDeviceID device) {
  if (device == 0 || device != device_) return DeviceLoss::NotOurs;
  SDL_LockAudioDevice(device_);
  const uint32_t heard = stream_ ? HeardPosition() : 0;
  SDL_UnlockAudioDevice(device_);
  SDL_CloseAudioDevice(device_);  // no callback runs from here on: the cursor is this thread's alone

  device_ = OpenDevice();
  if (device_ != 0) {
    // The new device's first buffer is heard a buffer from now: the position holds where it was meanwhile.
    positionFloor_ = std::max<uint64_t>(positionFloor_, heard);
    lastFillCounter_ = SDL_GetPerformanceCounter();
    if (cursor_.Started()) SDL_PauseAudioDevice(device_, 0);
    return DeviceLoss::Reopened;
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  silent_.emplace(heard, !cursor_.Started() || cursor_.PausedOrPausing(), counter_());
  return DeviceLoss::Silent;
}
