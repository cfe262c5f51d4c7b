#include "tools/music/render.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <fstream>
#include <memory>
#include <numbers>
#include <stdexcept>
#include <string>

#include "tools/music/biquad.h"
#include "tools/music/hats.h"
#include "tools/music/loudness.h"

namespace {

// The peak of our hat voice at full velocity, against the synthesizer's output at synth.gain 0.4.
constexpr double kHatLevel = 1.4;
// The master's low shelf: the kick and the bass carry the show's 86 Hz bin, and at the loudness players
// normalise to they need to sit forward of the rest.
constexpr double kBassShelfHz = 150.0;
constexpr double kBassShelfDb = 5.0;

// FluidSynth reports problems through a global log; keep its last error for our own message and drop the
// chatter, so that a failure reads as one line.
std::string last_synth_error;

void KeepError(int, const char* message, void*) {
  last_synth_error = message ? message : "";
}

void QuietLog() {
  fluid_set_log_function(FLUID_PANIC, KeepError, nullptr);
  fluid_set_log_function(FLUID_ERR, KeepError, nullptr);
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

struct SettingsDeleter {
  void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
};
struct SynthDeleter {
  void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
};

void SetNumber(fluid_settings_t* settings, const char* name, double value) {
  if (fluid_settings_setnum(settings, name, value) != FLUID_OK) {
    throw std::runtime_error(std::string("synthesizer setting rejected: ") + name);
  }
}

void SetInteger(fluid_settings_t* settings, const char* name, int value) {
  if (fluid_settings_setint(settings, name, value) != FLUID_OK) {
    throw std::runtime_error(std::string("synthesizer setting rejected: ") + name);
  }
}

// SF2 and SF3 files are RIFF files of form "sfbk". Checking that first keeps other files away from the
// loaders, some of which complain on the terminal in their own words.
void CheckSoundfont(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char head[12] = {};
  if (!file || !file.read(head, sizeof head)) throw std::runtime_error("cannot read soundfont " + path);
  if (std::string(head, 4) != "RIFF" || std::string(head + 8, 4) != "sfbk") {
    throw std::runtime_error(path + " is not a SoundFont (SF2 or SF3) file");
  }
}

void Apply(fluid_synth_t* synth, int font, const ScoreEvent& event) {
  switch (event.type) {
    case ScoreEventType::kProgram:
      if (fluid_synth_program_select(synth, event.channel, font, event.a, event.b) != FLUID_OK) {
        throw std::runtime_error("soundfont has no preset " + std::to_string(event.a) + ":" +
                                 std::to_string(event.b));
      }
      break;
    case ScoreEventType::kControl:
      fluid_synth_cc(synth, event.channel, event.a, event.b);
      break;
    case ScoreEventType::kNoteOff:
      fluid_synth_noteoff(synth, event.channel, event.a);  // fails harmlessly when the note has ended
      break;
    case ScoreEventType::kNoteOn:
      fluid_synth_noteon(synth, event.channel, event.a, event.b);
      break;
    case ScoreEventType::kBend:
      fluid_synth_pitch_bend(synth, event.channel, event.a);
      break;
  }
}

// A look-ahead true-peak limiter: the gain needed to keep each frame, and the signal between it and the
// next, under `ceiling` is spread over the 2 ms before and after it (a sliding minimum, then a sliding
// average of the same width, which never exceeds the need at the peak itself), and recovers with a 60 ms
// time constant. What the smoothing leaves above the ceiling between samples is then scaled down.
void Limit(std::vector<float>& stereo, double ceiling) {
  const long long frames = static_cast<long long>(stereo.size() / 2);
  const long long reach = kMusicRate / 500;  // 2 ms
  std::vector<float> need = TruePeakLevels(stereo);
  for (float& level : need) level = static_cast<float>(level > ceiling ? ceiling / level : 1.0);
  // Sliding minimum over [i - reach, i + reach], with a deque of candidate indices.
  std::vector<float> lowest(need.size());
  std::deque<long long> window;
  for (long long i = 0; i < frames + reach; ++i) {
    if (i < frames) {
      while (!window.empty() && need[window.back()] >= need[i]) window.pop_back();
      window.push_back(i);
    }
    const long long centre = i - reach;
    if (centre < 0) continue;
    while (window.front() < centre - reach) window.pop_front();
    lowest[centre] = need[window.front()];
  }
  // Sliding average of the minimum over the same span, then the release.
  const double release = std::exp(-1.0 / (0.060 * kMusicRate));
  double sum = 0.0;
  long long count = 0;
  double gain = 1.0;
  for (long long i = -reach; i < frames; ++i) {
    const long long enter = i + reach, leave = i - reach - 1;
    if (enter < frames) sum += lowest[enter], ++count;
    if (leave >= 0) sum -= lowest[leave], --count;
    if (i < 0) continue;
    gain = std::min(sum / count, 1.0 - (1.0 - gain) * release);
    stereo[2 * i] = static_cast<float>(stereo[2 * i] * gain);
    stereo[2 * i + 1] = static_cast<float>(stereo[2 * i + 1] * gain);
  }
  const double peak = TruePeak(stereo);
  if (peak > ceiling) {
    for (float& sample : stereo) sample = static_cast<float>(sample * (ceiling / peak));
  }
}

}  // namespace

std::vector<float> RenderScore(const Score& score, const std::string& soundfont, long long frames) {
  CheckSoundfont(soundfont);
  QuietLog();

  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
  if (!settings) throw std::runtime_error("cannot create synthesizer settings");
  SetNumber(settings.get(), "synth.sample-rate", kMusicRate);
  SetNumber(settings.get(), "synth.gain", 0.4);
  SetInteger(settings.get(), "synth.polyphony", 1024);
  SetInteger(settings.get(), "synth.cpu-cores", 1);
  SetInteger(settings.get(), "synth.reverb.active", 1);
  SetInteger(settings.get(), "synth.chorus.active", 1);
  SetNumber(settings.get(), "synth.reverb.room-size", 0.72);
  SetNumber(settings.get(), "synth.reverb.damp", 0.35);
  SetNumber(settings.get(), "synth.reverb.width", 0.9);
  SetNumber(settings.get(), "synth.reverb.level", 0.55);

  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  if (!synth) throw std::runtime_error("cannot create synthesizer: " + last_synth_error);
  const int font = fluid_synth_sfload(synth.get(), soundfont.c_str(), 1);
  if (font == FLUID_FAILED)
    throw std::runtime_error("cannot load soundfont " + soundfont + ": " + last_synth_error);

  std::vector<float> stereo(static_cast<size_t>(2 * frames), 0.0f);
  long long done = 0;
  // Renders up to `until`, in blocks the synthesizer handles comfortably.
  auto render_to = [&](long long until) {
    while (done < until) {
      const int block = static_cast<int>(std::min<long long>(until - done, 4096));
      float* at = stereo.data() + 2 * done;
      if (fluid_synth_write_float(synth.get(), block, at, 0, 2, at, 1, 2) != FLUID_OK) {
        throw std::runtime_error("synthesizer failed to render");
      }
      done += block;
    }
  };
  for (const ScoreEvent& event : score.events) {
    if (event.frame >= frames) break;
    render_to(event.frame);
    Apply(synth.get(), font, event);
  }
  render_to(frames);
  MixHats(score.hats, kHatLevel, stereo);
  return stereo;
}

double MasterMix(std::vector<float>& stereo, const Score& score, double loudness, double ceiling) {
  const long long frames = static_cast<long long>(stereo.size() / 2);
  // Some samples carry a DC offset; a one-pole high-pass at about 5 Hz removes it and leaves the bass alone.
  const double pole = 1.0 - 2.0 * std::numbers::pi * 5.0 / kMusicRate;
  for (int channel = 0; channel < 2; ++channel) {
    double last_in = 0.0, last_out = 0.0;
    for (long long i = 0; i < frames; ++i) {
      const double in = stereo[2 * i + channel];
      last_out = in - last_in + pole * last_out;
      last_in = in;
      stereo[2 * i + channel] = static_cast<float>(last_out);
    }
  }
  const double fade_length = static_cast<double>(score.fade_end - score.fade_begin);
  for (long long i = std::max(0LL, score.fade_begin); i < frames; ++i) {
    // (1 - x)^2 falls by about 12 dB at the halfway point and reaches silence with a soft landing.
    const double x = std::min(1.0, (i - score.fade_begin) / fade_length);
    const float gain = static_cast<float>((1.0 - x) * (1.0 - x));
    stereo[2 * i] *= gain;
    stereo[2 * i + 1] *= gain;
  }
  for (int channel = 0; channel < 2; ++channel) {
    Biquad shelf = Biquad::LowShelf(kBassShelfHz, kBassShelfDb);
    for (long long i = 0; i < frames; ++i) {
      stereo[2 * i + channel] = static_cast<float>(shelf(stereo[2 * i + channel]));
    }
  }
  const std::vector<float> mix = stereo;
  const double measured = IntegratedLoudness(mix);
  if (measured <= kSilentLoudness) return 1.0;
  // The limiter takes a little loudness off the loudest passages; a few rounds settle the gain.
  double gain = std::pow(10.0, (loudness - measured) / 20.0);
  for (int round = 0; round < 4; ++round) {
    for (size_t i = 0; i < mix.size(); ++i) stereo[i] = static_cast<float>(mix[i] * gain);
    Limit(stereo, ceiling);
    const double reached = IntegratedLoudness(stereo);
    if (std::abs(reached - loudness) < 0.05) break;
    gain *= std::pow(10.0, (loudness - reached) / 20.0);
  }
  return gain;
}
