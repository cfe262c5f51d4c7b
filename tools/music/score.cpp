#include "tools/music/score.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace {

// Pitch class of a note letter with an optional sharp or flat, consuming it from the front of `text`.
int TakePitchClass(std::string& text, const std::string& whole) {
  static const std::map<char, int> kLetters = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                               {'G', 7}, {'A', 9}, {'B', 11}};
  if (text.empty() || !kLetters.count(text[0])) throw std::invalid_argument("bad note name: " + whole);
  int pitch_class = kLetters.at(text[0]);
  text.erase(0, 1);
  if (!text.empty() && text[0] == '#') {
    ++pitch_class;
    text.erase(0, 1);
  } else if (!text.empty() && text[0] == 'b') {
    --pitch_class;
    text.erase(0, 1);
  }
  return (pitch_class + 12) % 12;
}

int ParseKey(const std::string& token) {
  std::string text = token;
  const int pitch_class = TakePitchClass(text, token);
  if (text.size() != 1 || text[0] < '0' || text[0] > '8') throw std::invalid_argument("bad octave: " + token);
  return 12 * (text[0] - '0' + 1) + pitch_class;  // C4 = 60
}

double ParseBeats(const std::string& text, const std::string& token) {
  size_t used = 0;
  double beats = 0.0;
  try {
    beats = std::stod(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || !(beats > 0.0)) throw std::invalid_argument("bad length: " + token);
  return beats;
}

}  // namespace

std::vector<MelodyNote> ParseMelody(const std::string& line) {
  std::vector<MelodyNote> notes;
  std::istringstream tokens(line);
  std::string token;
  double beat = 0.0;
  while (tokens >> token) {
    if (token == "|") {
      if (std::fmod(beat, 4.0) != 0.0) {
        throw std::invalid_argument("bar line after " + std::to_string(beat) + " beats in: " + line);
      }
      continue;
    }
    const size_t colon = token.find(':');
    if (colon == std::string::npos) throw std::invalid_argument("missing length: " + token);
    const double beats = ParseBeats(token.substr(colon + 1), token);
    const std::string pitch = token.substr(0, colon);
    if (pitch != "r") notes.push_back({beat, beats, ParseKey(pitch)});
    beat += beats;
  }
  return notes;
}

Chord ParseChord(const std::string& name) {
  std::string text = name;
  Chord chord;
  chord.root = TakePitchClass(text, name);
  if (text.empty()) {
    chord.intervals = {0, 4, 7};
  } else if (text == "m") {
    chord.intervals = {0, 3, 7};
  } else if (text == "sus4") {
    chord.intervals = {0, 5, 7};
  } else if (text == "7") {
    chord.intervals = {0, 4, 7, 10};
  } else {
    throw std::invalid_argument("bad chord: " + name);
  }
  return chord;
}

std::vector<int> ChordKeys(const Chord& chord, int lowest, int count) {
  std::vector<int> keys;
  for (int key = lowest; static_cast<int>(keys.size()) < count; ++key) {
    const int above_root = ((key - chord.root) % 12 + 12) % 12;
    if (std::find(chord.intervals.begin(), chord.intervals.end(), above_root) != chord.intervals.end()) {
      keys.push_back(key);
    }
  }
  return keys;
}

int ChordRootIn(const Chord& chord, int lowest) {
  return lowest + ((chord.root - lowest) % 12 + 12) % 12;
}

double ScoreWriter::Wander() {
  // Knuth's MMIX linear congruential generator; the top 53 bits make the fraction.
  state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
  return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 53) * 2.0 - 1.0;
}

void ScoreWriter::Program(int channel, double beat, int bank, int preset) {
  events_.push_back({std::llround(beat * kFramesPerBeat), ScoreEventType::kProgram, channel, bank, preset});
}

void ScoreWriter::Control(int channel, double beat, int controller, int value) {
  events_.push_back({std::llround(beat * kFramesPerBeat), ScoreEventType::kControl, channel, controller,
                     std::clamp(value, 0, 127)});
}

void ScoreWriter::Bend(int channel, double beat, int wheel) {
  events_.push_back(
      {std::llround(beat * kFramesPerBeat), ScoreEventType::kBend, channel, std::clamp(wheel, 0, 16383), 0});
}

void ScoreWriter::Ramp(int channel, int controller, double begin, double end, int from, int to) {
  const int steps = std::max(1, static_cast<int>(std::lround((end - begin) * 8.0)));
  for (int i = 0; i < steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    Control(channel, begin + (end - begin) * t, controller,
            static_cast<int>(std::lround(from + (to - from) * t)));
  }
}

void ScoreWriter::Note(int channel, double beat, double beats, int key, int velocity, double gate) {
  // The rhythm section is sequenced on the grid; the other parts are played.
  const bool on_grid = channel == kDrumChannel || channel == kBassChannel || channel == kSubChannel;
  const double shift_seconds = on_grid ? 0.0 : 0.0015 * Wander();
  const int wander = static_cast<int>(std::lround(3.0 * Wander()));
  const long long on = std::max(0LL, std::llround(beat * kFramesPerBeat + shift_seconds * kMusicRate));
  const long long off = on + std::max(1LL, std::llround(beats * gate * kFramesPerBeat));
  notes_.push_back({on, off, channel, key, std::clamp(velocity + wander, 1, 127)});
}

void ScoreWriter::Hat(double beat, int velocity, bool open) {
  const int wander = static_cast<int>(std::lround(3.0 * Wander()));
  hats_.push_back(
      {std::max(0LL, std::llround(beat * kFramesPerBeat)), std::clamp(velocity + wander, 1, 127), open});
}

void ScoreWriter::Line(int channel, double beat, const std::string& melody, int velocity, int transpose,
                       double gate) {
  for (const MelodyNote& note : ParseMelody(melody)) {
    // Longer notes get a touch more weight, as a player would give them.
    const int accent = note.beats >= 1.5 ? 4 : (note.beats <= 0.5 ? -3 : 0);
    Note(channel, beat + note.beat, note.beats, note.key + transpose, velocity + accent, gate);
  }
}

Score ScoreWriter::Finish(long long fade_begin, long long fade_end) {
  std::sort(notes_.begin(), notes_.end(), [](const PendingNote& x, const PendingNote& y) {
    return std::tie(x.channel, x.key, x.on) < std::tie(y.channel, y.key, y.on);
  });
  for (size_t i = 0; i < notes_.size(); ++i) {
    PendingNote& note = notes_[i];
    const bool same_key_follows =
        i + 1 < notes_.size() && notes_[i + 1].channel == note.channel && notes_[i + 1].key == note.key;
    if (same_key_follows && notes_[i + 1].on == note.on) {
      // Two parts strike the same key at once (a roll over the backbeat): one louder note, the longer.
      notes_[i + 1].velocity = std::max(notes_[i + 1].velocity, note.velocity);
      notes_[i + 1].off = std::max(notes_[i + 1].off, note.off);
      continue;
    }
    if (same_key_follows) note.off = std::min(note.off, notes_[i + 1].on);
    note.off = std::min(note.off, kPieceFrames);
    events_.push_back({note.on, ScoreEventType::kNoteOn, note.channel, note.key, note.velocity});
    events_.push_back({note.off, ScoreEventType::kNoteOff, note.channel, note.key, 0});
  }
  // Stable, so that controller steps written in order stay in order.
  std::stable_sort(events_.begin(), events_.end(), [](const ScoreEvent& x, const ScoreEvent& y) {
    return std::tie(x.frame, x.type) < std::tie(y.frame, y.type);
  });
  std::stable_sort(hats_.begin(), hats_.end(),
                   [](const HatHit& x, const HatHit& y) { return x.frame < y.frame; });
  Score score;
  score.events = std::move(events_);
  score.hats = std::move(hats_);
  hats_.clear();
  score.fade_begin = fade_begin;
  score.fade_end = fade_end;
  events_.clear();
  notes_.clear();
  return score;
}
