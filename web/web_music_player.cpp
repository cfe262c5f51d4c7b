#include "web/web_music_player.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFadeSeconds = 0.01;  // a jump's fade out and in: short, yet no click

// The page's one AudioContext, a gain for the closing fade, and the source that plays the music.
EM_JS(int, AudioOpen, (double fadeSeconds), {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return 0;
  const audio = {
    context : new Context({sampleRate : 44100}),
    source : null,
    startedAt : 0,
    offset : 0,
    paused : false,
    standIn : null  // while the context does not run: where the music stood and when, on the page's clock
  };
  Module.audio = audio;
  audio.gain = audio.context.createGain();
  audio.gain.connect(audio.context.destination);
  // Ramps a gain to `level` from where it is now, even halfway through an earlier ramp (seeks closer together
  // than a fade, as a drag on a fast display makes them), so that the level does not jump. (Not with
  // cancelAndHoldAtTime: Chromium's output jumps with it.)
  audio.fadeTo = function(gain, level, seconds) {
    const now = audio.context.currentTime;
    gain.cancelScheduledValues(now);
    gain.setValueAtTime(gain.value, now);
    gain.linearRampToValueAtTime(level, now + seconds);
  };
  // Seconds of music heard so far: the audio clock, less what the output still holds back; where it stopped
  // while paused; while the context does not run (its device lost, the system taking the sound away), the
  // page's clock from where the sound stopped, so that the show plays on.
  audio.heard = function() {
    if (audio.paused) return audio.offset;
    if (!audio.source) return 0;
    if (audio.standIn) return audio.standIn.offset + (performance.now() - audio.standIn.since) / 1000;
    const latency = audio.context.outputLatency || audio.context.baseLatency || 0;
    return Math.max(0, audio.context.currentTime - audio.startedAt - latency) + audio.offset;
  };
  // Plays from `offsetSeconds` through a gain of its own, so that a jump fades the old source out and the new
  // one in (over `fadeSeconds`) while the master gain keeps the closing fade's volume.
  audio.playFrom = function(offsetSeconds, fadeSeconds) {
    const now = audio.context.currentTime;
    if (audio.source) {
      audio.fadeTo(audio.fade.gain, 0, fadeSeconds);
      audio.source.stop(now + fadeSeconds);
    }
    audio.fade = audio.context.createGain();
    audio.fade.gain.setValueAtTime(fadeSeconds > 0 ? 0 : 1, now);
    audio.fade.gain.linearRampToValueAtTime(1, now + fadeSeconds);
    audio.fade.connect(audio.gain);
    audio.source = audio.context.createBufferSource();
    audio.source.buffer = audio.buffer;
    audio.source.connect(audio.fade);
    audio.source.start(now, offsetSeconds);
    audio.startedAt = now;
    audio.offset = offsetSeconds;
    audio.paused = false;
    audio.standIn =
        audio.context.state == "running" ? null : {offset : offsetSeconds, since : performance.now()};
  };
  // The context stops when its device goes or the system interrupts it: the position runs on the page's clock
  // and the context is asked to run again; when it does, the music joins the show where the show has got to.
  audio.context.onstatechange = function() {
    const state = audio.context.state;
    if (state == "running" && audio.standIn) {
      const at = audio.heard();
      audio.standIn = null;
      audio.playFrom(at, fadeSeconds);
    } else if (state == "interrupted" || state == "suspended") {
      if (audio.source && !audio.standIn) audio.standIn = {offset : audio.heard(), since : performance.now()};
      console.warn("velmora: the sound stopped (" + state +
                   "); the show plays on silently until it comes back");
      audio.context.resume().catch(function(){});
    }
  };
  audio.context.resume();
  return 1;
});

// Interleaved 16-bit stereo into an AudioBuffer.
EM_JS(void, AudioLoad, (const short* samples, int frames, int rate), {
  const buffer = Module.audio.context.createBuffer(2, frames, rate);
  const left = buffer.getChannelData(0), right = buffer.getChannelData(1);
  const pcm = HEAP16.subarray(samples >> 1, (samples >> 1) + 2 * frames);
  for (let i = 0; i < frames; ++i) {
    left[i] = pcm[2 * i] / 32768;
    right[i] = pcm[2 * i + 1] / 32768;
  }
  Module.audio.buffer = buffer;
});

EM_JS(void, AudioPlayFrom, (double offsetSeconds, double fadeSeconds),
      { Module.audio.playFrom(offsetSeconds, fadeSeconds); });

EM_JS(double, AudioPosition, (), { return Module.audio ? Module.audio.heard() : 0; });

EM_JS(void, AudioPause, (double fadeSeconds), {
  const audio = Module.audio;
  if (!audio || !audio.source || audio.paused) return;
  audio.offset = audio.heard();
  audio.fadeTo(audio.fade.gain, 0, fadeSeconds);
  audio.source.stop(audio.context.currentTime + fadeSeconds);
  audio.source = null;
  audio.paused = true;
  audio.standIn = null;
});

EM_JS(void, AudioVolume, (double level), {
  if (Module.audio) Module.audio.gain.gain.value = level;
});

EM_JS(void, AudioClose, (), {
  if (!Module.audio) return;
  if (Module.audio.source) Module.audio.source.stop();
  Module.audio.context.onstatechange = null;
  Module.audio.context.close();
  Module.audio = null;
});

}  // namespace

bool WebMusicPlayer::Init() {
  return AudioOpen(kFadeSeconds) != 0;
}

bool WebMusicPlayer::Load(const std::string& path) {
  music_ = DecodeMp3File(path);
  if (!music_ || music_->Frames() == 0) return false;
  AudioLoad(music_->stereo.data(), int(music_->Frames()), kMusicRate);
  return true;
}

void WebMusicPlayer::Play(uint32_t startSample) {
  AudioPlayFrom(double(startSample) / kMusicRate, 0.0);
}

void WebMusicPlayer::Pause() {
  AudioPause(kFadeSeconds);
}

void WebMusicPlayer::Seek(uint32_t sample) {
  AudioPlayFrom(double(sample) / kMusicRate, kFadeSeconds);
}

uint32_t WebMusicPlayer::Position() {
  const double frame = std::floor(AudioPosition() * kMusicRate);
  return uint32_t(std::min(frame, double(Length())));
}

uint32_t WebMusicPlayer::Length() {
  return music_ ? uint32_t(music_->Frames()) : 0;
}

const float* WebMusicPlayer::Spectrum() {
  return SpectrumAt(Position());
}

const float* WebMusicPlayer::SpectrumAt(uint32_t sample) {
  if (music_) analyser_.Analyse(music_->mono, sample, spectrum_);
  return spectrum_.data();
}

void WebMusicPlayer::SetVolume(int volume) {
  AudioVolume(std::clamp(volume, 0, 255) / 255.0);
}

void WebMusicPlayer::Close() {
  AudioClose();
}
