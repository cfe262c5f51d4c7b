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
  SDL_LockAudioDevice(device_);
  consumedFrames_ = startSample;
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
  if (!playing_ || !stream_) return;
  const std::span<const int16_t> stereo = stream_->Stereo();
  const uint64_t decoded = stereo.size() / 2;
  const uint64_t from = std::min(consumedFrames_, decoded);
  const uint64_t count = std::min<uint64_t>(uint64_t(frames), decoded - from);
  const int volume = volume_.load(std::memory_order_relaxed);
  const int16_t* source = stereo.data() + 2 * from;
  for (uint64_t i = 0; i < 2 * count; ++i) out[i] = int16_t(source[i] * volume / 255);
  consumedFrames_ += uint64_t(frames);
  lastFillCounter_ = SDL_GetPerformanceCounter();
}

// The device plays what the last fill handed over during the following buffer period, so the sample heard
// now lies one buffer behind the consumed count, plus the time since that fill.
uint32_t SdlMusicPlayer::Position() {
  if (!device_ || !stream_) return 0;
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
  return uint32_t(std::clamp<int64_t>(heard, 0, int64_t(Length())));
}

uint32_t SdlMusicPlayer::Length() {
  return stream_ ? uint32_t(stream_->Frames()) : 0;
}

const float* SdlMusicPlayer::Spectrum() {
  if (stream_) analyser_.Analyse(stream_->Mono(), Position(), spectrum_);
  return spectrum_.data();
}

void SdlMusicPlayer::SetVolume(int volume) {
  volume_.store(std::clamp(volume, 0, 255));
}

void SdlMusicPlayer::Close() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
    playing_ = false;
  }
  stream_.reset();
}
