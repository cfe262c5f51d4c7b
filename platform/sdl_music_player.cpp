#include "platform/sdl_music_player.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kDeviceBufferFrames = 1024;
}

SdlMusicPlayer::~SdlMusicPlayer() {
  Close();
}

bool SdlMusicPlayer::Init() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = kMusicRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = FillCallback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);  // SDL converts to what the device needs
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  bufferFrames_ = obtained.samples;
  return true;
}

bool SdlMusicPlayer::Load(const std::string& path) {
  SDL_LockAudioDevice(device_);
  music_ = DecodeMp3File(path);
  SDL_UnlockAudioDevice(device_);
  return music_.has_value();
}

void SdlMusicPlayer::Play() {
  SDL_LockAudioDevice(device_);
  consumedFrames_ = 0;
  lastFillCounter_ = SDL_GetPerformanceCounter();
  playing_ = true;
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void SdlMusicPlayer::FillCallback(void* player, Uint8* stream, int bytes) {
  static_cast<SdlMusicPlayer*>(player)->Fill(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

void SdlMusicPlayer::Fill(int16_t* out, int frames) {
  std::memset(out, 0, size_t(frames) * 4);
  if (!playing_ || !music_) return;
  const uint64_t total = music_->Frames();
  const uint64_t from = std::min(consumedFrames_, total);
  const uint64_t count = std::min<uint64_t>(uint64_t(frames), total - from);
  const int volume = volume_.load(std::memory_order_relaxed);
  const int16_t* source = music_->stereo.data() + 2 * from;
  for (uint64_t i = 0; i < 2 * count; ++i) out[i] = int16_t(source[i] * volume / 255);
  consumedFrames_ += uint64_t(frames);
  lastFillCounter_ = SDL_GetPerformanceCounter();
}

// The device plays what the last fill handed over during the following buffer period, so the sample heard
// now lies one buffer behind the consumed count, plus the time since that fill.
uint32_t SdlMusicPlayer::Position() {
  if (!device_ || !music_) return 0;
  SDL_LockAudioDevice(device_);
  const uint64_t consumed = consumedFrames_;
  const uint64_t fillCounter = lastFillCounter_;
  const bool playing = playing_;
  SDL_UnlockAudioDevice(device_);
  if (!playing) return 0;

  const double sinceFill =
      double(SDL_GetPerformanceCounter() - fillCounter) / double(SDL_GetPerformanceFrequency());
  const int64_t advanced = std::min<int64_t>(int64_t(sinceFill * kMusicRate), bufferFrames_);
  const int64_t heard = int64_t(consumed) - bufferFrames_ + advanced;
  return uint32_t(std::clamp<int64_t>(heard, 0, int64_t(music_->Frames())));
}

uint32_t SdlMusicPlayer::Length() {
  return music_ ? uint32_t(music_->Frames()) : 0;
}

const float* SdlMusicPlayer::Spectrum() {
  if (music_) analyser_.Analyse(music_->mono, Position(), spectrum_);
  return spectrum_.data();
}

void SdlMusicPlayer::SetVolume(int volume) {
  volume_.store(std::clamp(volume, 0, 255));
}

void SdlMusicPlayer::Close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device_ = 0;
  playing_ = false;
}
