// The arrangement of the show's music: the harmony, the tunes and the sections (piece.cpp), and how each
// instrument plays a bar of it (parts.cpp). Internal to the music generator; ComposeScore() in score.h is
// the way in.
#pragma once

#include <array>
#include <vector>

#include "tools/music/score.h"

// Controllers.
constexpr int kVolume = 7;
constexpr int kPan = 10;
constexpr int kExpression = 11;
constexpr int kReverb = 91;
constexpr int kChorus = 93;

enum class BassStyle { kWhole, kQuarters, kEighths, kHalfTime, kDrive };
enum class DrumStyle { kSoftKick, kFour, kOpen, kHalfTime, kDrive, kClimax };

class Piece {
 public:
  // Reads the chord chart; throws std::logic_error unless it covers every bar of the piece.
  Piece();
  Score Compose();

 private:
  const Chord& ChordAt(double beat) const;
  // Chord segments of a bar: (first beat, beats, chord).
  struct Segment {
    double beat;
    double beats;
    const Chord* chord;
  };
  std::vector<Segment> Segments(int bar) const;

  void Setup();
  void Pickup();
  void Intro();
  void Build();
  void GrooveA();
  void GrooveB();
  void GrooveAAgain();
  void Turnaround();
  void Breakdown();
  void HalfTime();
  void SecondBuild();
  void SecondGroove();
  void PreClimax();
  void Climax();
  void WindDown();

  // A program change a few milliseconds before `beat`, ahead of any note that starts there; notes still
  // sounding keep their old instrument.
  void Switch(int channel, double beat, int bank, int preset) {
    w_.Program(channel, beat - 0.02, bank, preset);
  }

  void Pad(int bar, int velocity);
  void Chords(int channel, int bar, int lowest, int count, int velocity);
  void Stabs(int bar, int velocity);
  void Arp(int bar, double step, int velocity);
  void Bells(int bar, int velocity);
  void Bass(int bar, BassStyle style, int velocity);
  void Sub(int bar, int velocity);
  void Drums(int bar, DrumStyle style, int velocity);
  void Roll(int bar, double from, int velocity_from, int velocity_to);
  void Crash(int bar, int velocity);
  // A reversed cymbal that peaks on the first beat of `bar`.
  void Swell(int bar, int velocity);

  ScoreWriter w_;
  std::vector<std::array<Chord, 2>> chart_;  // per bar: first and second half
};
