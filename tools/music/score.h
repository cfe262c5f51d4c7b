// The show's music as data: every MIDI-style event of the piece, with its sample frame.
//
// The piece is in 4/4 at 120 beats per minute (a beat is 0.5 s, a bar 2 s) and opens with a two-beat
// pickup, so bar 0 starts at 1 s and every bar line falls on an odd second: bar n starts at 1 + 2n s. That
// puts the section changes the pictures follow on bar lines (15 s, 141 s, 205 s, 225 s) and the rest within
// a second of their nominal times. piece.cpp lists the sections with their times.
#pragma once

#include <string>
#include <vector>

#include "timing/music_decoder.h"

constexpr int kFramesPerBeat = kMusicRate / 2;
constexpr double kPieceSeconds = 240.0;
constexpr long long kPieceFrames = static_cast<long long>(kPieceSeconds * kMusicRate);

constexpr int kBars = 120;  // the last one ends a second after the piece

// Beat position (beat 0 at 0 s) of the first beat of bar `bar`.
constexpr double BarBeat(int bar) {
  return 2.0 + 4.0 * bar;
}

enum class ScoreEventType {
  kProgram,  // a: bank, b: preset
  kControl,  // a: controller number, b: value
  kBend,     // a: pitch wheel, 0 ... 16383, 8192 in the middle (a whole step each way)
  kNoteOff,  // a: key
  kNoteOn,   // a: key, b: velocity 1 ... 127
};

struct ScoreEvent {
  long long frame = 0;
  ScoreEventType type = ScoreEventType::kNoteOn;
  int channel = 0;
  int a = 0;
  int b = 0;
};

// What the instrument channels play; used by the arrangement and by tests that check it.
enum ScoreChannel {
  kPadChannel = 0,
  kStringsChannel = 1,
  kArpChannel = 2,
  kLeadChannel = 3,
  kDoubleChannel = 4,  // the line that doubles or answers the lead
  kBassChannel = 5,
  kSubChannel = 6,
  kBellsChannel = 7,
  kChoirChannel = 8,
  kDrumChannel = 9,  // General MIDI percussion
  kEffectsChannel = 10,
  kChannelCount = 11,
};

// General MIDI percussion keys the piece uses.
enum DrumKey {
  kKick = 36,
  kSnare = 38,
  kClap = 39,
  kCrash = 49,
  kTambourine = 54,
  kCrash2 = 57,
  kShaker = 70,  // maracas
};

// A hit of our own hi-hat voice (hats.h).
struct HatHit {
  long long frame = 0;
  int velocity = 0;  // 1 ... 127
  bool open = false;
};

struct Score {
  std::vector<ScoreEvent> events;  // by frame; at one frame: programs, controls, bends, note-offs, note-ons
  std::vector<HatHit> hats;        // by frame
  long long frames = kPieceFrames;
  long long fade_begin = 0;  // the master gain falls from 1 at fade_begin to 0 at fade_end and stays 0
  long long fade_end = 0;
};

// The whole piece. Deterministic: the same events on every call.
Score ComposeScore();

// Turns a line of melody into notes. Tokens are separated by spaces: "D5:1" is D in octave 5 (MIDI 74) for
// one beat, "Bb4:.5" B flat for half a beat, "r:2" a two-beat rest, "|" a bar line, which must fall on a
// whole bar. Throws std::invalid_argument on a malformed token or a misplaced bar line.
struct MelodyNote {
  double beat = 0.0;  // from the start of the line
  double beats = 0.0;
  int key = 0;
};
std::vector<MelodyNote> ParseMelody(const std::string& line);

// A chord from its name: a root (C, C#, Db ... B) and a quality: "" major, "m" minor, "sus4", "7"
// dominant seventh. Throws std::invalid_argument on other names.
struct Chord {
  int root = 0;                // pitch class, C = 0
  std::vector<int> intervals;  // semitones above the root, ascending, starting with 0
};
Chord ParseChord(const std::string& name);

// The first `count` chord tones at or above `lowest`, ascending.
std::vector<int> ChordKeys(const Chord& chord, int lowest, int count);

// The chord tone in [lowest, lowest + 11] that is the root.
int ChordRootIn(const Chord& chord, int lowest);

// Builds a score from musical positions (in beats, beat 0 at 0 s) with a little human variation: velocities
// wander by a few steps, and notes other than the rhythm section's (drums, hats, bass, sub) by up to a
// millisecond and a half, drawn from a fixed-seed generator so that every run makes the same events.
class ScoreWriter {
 public:
  void Program(int channel, double beat, int bank, int preset);
  void Control(int channel, double beat, int controller, int value);
  void Bend(int channel, double beat, int wheel);
  // Steps a controller from `from` to `to` over [begin, end), eight steps a beat.
  void Ramp(int channel, int controller, double begin, double end, int from, int to);
  // `gate` is the sounding fraction of the written length.
  void Note(int channel, double beat, double beats, int key, int velocity, double gate = 0.95);
  // A hit of the hi-hat voice, on the grid.
  void Hat(double beat, int velocity, bool open);
  // A melody line (see ParseMelody) starting at `beat`, shifted by `transpose` semitones.
  void Line(int channel, double beat, const std::string& melody, int velocity, int transpose = 0,
            double gate = 0.92);
  // Sorts the events. A note that would still sound when the same key starts again on its channel is
  // ended there, so that a late note-off never cuts the next note short; notes of one key that start
  // together become one, as loud and as long as the strongest; none sounds past the piece's end.
  Score Finish(long long fade_begin, long long fade_end);

 private:
  struct PendingNote {
    long long on = 0, off = 0;
    int channel = 0, key = 0, velocity = 0;
  };
  double Wander();  // uniform in [-1, 1)

  std::vector<ScoreEvent> events_;
  std::vector<PendingNote> notes_;
  std::vector<HatHit> hats_;
  unsigned long long state_ = 0x56454C4D4F5241ULL;
};
