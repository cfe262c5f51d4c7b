// How each instrument plays a bar, given the chord chart; the mixer settings.
#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/music/piece.h"

const Chord& Piece::ChordAt(double beat) const {
  const double from_bar0 = beat - BarBeat(0);
  const int bar =
      std::clamp(static_cast<int>(std::floor(from_bar0 / 4.0)), 0, static_cast<int>(chart_.size()) - 1);
  const double in_bar = from_bar0 - 4.0 * bar;
  return chart_[bar][in_bar >= 2.0 ? 1 : 0];
}

std::vector<Piece::Segment> Piece::Segments(int bar) const {
  const double start = BarBeat(bar);
  const auto& chords = chart_[bar];
  if (chords[0].root == chords[1].root && chords[0].intervals == chords[1].intervals) {
    return {{start, 4.0, &chords[0]}};
  }
  return {{start, 2.0, &chords[0]}, {start + 2.0, 2.0, &chords[1]}};
}

void Piece::Setup() {
  struct Mix {
    int channel, bank, preset, volume, pan, reverb, chorus;
  };
  // The melodic parts sit about 3 dB under the rhythm section (bass, sub, kit and our hats), which carries
  // the two bins the pictures follow.
  const Mix kMix[] = {
      {kPadChannel, 0, 89, 76, 64, 70, 40},      // warm pad
      {kStringsChannel, 0, 49, 71, 52, 80, 0},   // slow strings
      {kArpChannel, 0, 5, 76, 78, 55, 20},       // FM electric piano
      {kLeadChannel, 0, 80, 82, 64, 50, 30},     // square lead
      {kDoubleChannel, 0, 50, 67, 50, 60, 20},   // synth strings
      {kBassChannel, 0, 38, 127, 64, 5, 0},      // synth bass
      {kSubChannel, 8, 80, 120, 64, 0, 0},       // sine
      {kBellsChannel, 0, 8, 76, 84, 90, 0},      // celesta
      {kChoirChannel, 0, 52, 67, 40, 95, 0},     // choir
      {kDrumChannel, 128, 25, 127, 64, 22, 0},   // TR-808 kit
      {kEffectsChannel, 0, 119, 67, 64, 80, 0},  // reverse cymbal
  };
  for (const Mix& m : kMix) {
    w_.Program(m.channel, 0.0, m.bank, m.preset);
    w_.Control(m.channel, 0.0, kVolume, m.volume);
    w_.Control(m.channel, 0.0, kPan, m.pan);
    w_.Control(m.channel, 0.0, kReverb, m.reverb);
    w_.Control(m.channel, 0.0, kChorus, m.chorus);
    w_.Control(m.channel, 0.0, kExpression, 127);
  }
}

void Piece::Pad(int bar, int velocity) {
  Chords(kPadChannel, bar, 55, 4, velocity);
}

void Piece::Chords(int channel, int bar, int lowest, int count, int velocity) {
  for (const Segment& s : Segments(bar)) {
    for (int key : ChordKeys(*s.chord, lowest, count)) w_.Note(channel, s.beat, s.beats, key, velocity, 1.0);
  }
}

// Syncopated electric piano chords: on 1, the "and" of 2, and 4.
void Piece::Stabs(int bar, int velocity) {
  const double start = BarBeat(bar);
  static constexpr std::pair<double, double> kHits[] = {{0.0, 1.5}, {1.5, 1.0}, {3.0, 1.0}};
  for (const auto& [at, beats] : kHits) {
    for (int key : ChordKeys(ChordAt(start + at), 57, 4)) {
      w_.Note(kDoubleChannel, start + at, beats, key, velocity - (at == 0.0 ? 0 : 8), 0.8);
    }
  }
}

void Piece::Arp(int bar, double step, int velocity) {
  // Up and down through seven chord tones from D4; sixteenths start each beat one tone higher.
  static constexpr int kEighths[] = {0, 2, 4, 3, 5, 4, 2, 1};
  static constexpr int kSixteenths[] = {0, 2, 4, 6, 1, 3, 5, 3, 2, 4, 6, 4, 1, 3, 5, 2};
  const double start = BarBeat(bar);
  const int steps = static_cast<int>(4.0 / step);
  for (int i = 0; i < steps; ++i) {
    const double at = start + i * step;
    const std::vector<int> tones = ChordKeys(ChordAt(at), 62, 7);
    const int index = step < 0.5 ? kSixteenths[i % 16] : kEighths[i % 8];
    const int accent = (i * step == std::floor(i * step)) ? 8 : 0;
    w_.Note(kArpChannel, at, step, tones[index], velocity + accent, 0.7);
  }
}

void Piece::Bells(int bar, int velocity) {
  static constexpr int kPatterns[4][3] = {{2, 0, 1}, {3, 1, 2}, {1, 2, 4}, {0, 2, 3}};
  static constexpr double kBeats[3] = {0.0, 1.5, 3.0};
  const double start = BarBeat(bar);
  for (int i = 0; i < 3; ++i) {
    const std::vector<int> tones = ChordKeys(ChordAt(start + kBeats[i]), 72, 5);
    w_.Note(kBellsChannel, start + kBeats[i], 1.5, tones[kPatterns[bar % 4][i]], velocity - 6 * i, 1.0);
  }
}

void Piece::Bass(int bar, BassStyle style, int velocity) {
  const double start = BarBeat(bar);
  // R: root between A1 and G#2; O: its octave; X: the chord tone nearest F2, which keeps the bass line
  // moving around 87 Hz.
  auto key_of = [&](double at, char role) {
    const Chord& chord = ChordAt(at);
    const int root = ChordRootIn(chord, 33);
    if (role == 'O') return root + 12;
    if (role == 'X') {
      int best = root;
      for (int key : ChordKeys(chord, 36, 3)) {
        if (std::abs(key - 41) < std::abs(best - 41)) best = key;
      }
      return best;
    }
    return root;
  };
  auto play = [&](const char* pattern, double step, double gate) {
    for (int i = 0; pattern[i]; ++i) {
      if (pattern[i] == '.') continue;
      const double at = start + i * step;
      const bool off_beat = i * step != std::floor(i * step);
      w_.Note(kBassChannel, at, step, key_of(at, pattern[i]), velocity + (off_beat ? 6 : 0), gate);
    }
  };
  switch (style) {
    case BassStyle::kWhole:
      for (const Segment& s : Segments(bar))
        w_.Note(kBassChannel, s.beat, s.beats, key_of(s.beat, 'R'), velocity);
      break;
    case BassStyle::kQuarters:
      play("RRXR", 1.0, 0.85);
      break;
    case BassStyle::kEighths:
      play("RROXRROX", 0.5, 0.8);
      break;
    case BassStyle::kHalfTime:
      w_.Note(kBassChannel, start, 3.0, key_of(start, 'R'), velocity, 0.95);
      play("......OX", 0.5, 0.8);
      break;
    case BassStyle::kDrive:
      play("RRROXROX", 0.5, 0.75);
      break;
  }
}

void Piece::Sub(int bar, int velocity) {
  for (const Segment& s : Segments(bar)) {
    w_.Note(kSubChannel, s.beat, s.beats, ChordRootIn(*s.chord, 33), velocity, 0.97);
  }
}

void Piece::Drums(int bar, DrumStyle style, int velocity) {
  const double start = BarBeat(bar);
  auto hit = [&](int key, double at, int v, double beats = 0.5) {
    w_.Note(kDrumChannel, start + at, beats, key, v, 1.0);
  };
  switch (style) {
    case DrumStyle::kSoftKick:
      for (int beat = 0; beat < 4; ++beat) hit(kKick, beat, velocity);
      break;
    case DrumStyle::kFour:
    case DrumStyle::kOpen:
    case DrumStyle::kDrive:
    case DrumStyle::kClimax:
      for (int beat = 0; beat < 4; ++beat) hit(kKick, beat, velocity);
      hit(kSnare, 1, velocity - 30);
      hit(kSnare, 3, velocity - 30);
      hit(kClap, 1, velocity - 36);
      hit(kClap, 3, velocity - 36);
      for (int i = 0; i < 8; ++i) {
        const bool off_beat = i % 2 == 1;
        const bool open = off_beat && (style != DrumStyle::kFour || (i == 7 && bar % 2 == 1));
        w_.Hat(start + i * 0.5, velocity + (off_beat ? 20 : 6), open);
      }
      if (style == DrumStyle::kDrive || style == DrumStyle::kClimax) {
        for (int i = 0; i < 16; ++i) hit(kShaker, i * 0.25, velocity - (i % 2 ? 10 : 24), 0.25);
      }
      if (style == DrumStyle::kClimax) {
        for (int i = 1; i < 8; i += 2) hit(kTambourine, i * 0.5, velocity - 20);
      }
      break;
    case DrumStyle::kHalfTime:
      hit(kKick, 0, velocity);
      hit(kKick, 2.5, velocity - 10);
      hit(kSnare, 2, velocity - 8);
      hit(kClap, 2, velocity - 20);
      for (int i = 0; i < 8; ++i) w_.Hat(start + i * 0.5, velocity + (i % 2 ? 20 : 4), false);
      break;
  }
}

void Piece::Roll(int bar, double from, int velocity_from, int velocity_to) {
  const double start = BarBeat(bar);
  const int steps = static_cast<int>((4.0 - from) / 0.25);
  for (int i = 0; i < steps; ++i) {
    const int v = velocity_from + (velocity_to - velocity_from) * i / std::max(1, steps - 1);
    w_.Note(kDrumChannel, start + from + i * 0.25, 0.25, kSnare, v, 1.0);
  }
}

void Piece::Crash(int bar, int velocity) {
  w_.Note(kDrumChannel, BarBeat(bar), 4.0, kCrash, velocity, 1.0);
}

void Piece::Swell(int bar, int velocity) {
  // The reversed cymbal sample rises for 1.4 s and then stops.
  w_.Note(kEffectsChannel, BarBeat(bar) - 2.8, 2.8, 60, velocity, 1.0);
}
