#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "tools/music/score.h"

namespace {

long long Frame(double seconds) {
  return std::llround(seconds * kMusicRate);
}

struct PlayedNote {
  long long on = 0, off = -1;
  int channel = 0, key = 0;
};

// Pairs every note-on with the next note-off of its channel and key; off stays -1 for a note never ended.
std::vector<PlayedNote> Notes(const Score& score) {
  std::vector<PlayedNote> notes;
  std::map<std::pair<int, int>, std::vector<size_t>> open;
  for (const ScoreEvent& e : score.events) {
    if (e.type == ScoreEventType::kNoteOn) {
      open[{e.channel, e.a}].push_back(notes.size());
      notes.push_back({e.frame, -1, e.channel, e.a});
    } else if (e.type == ScoreEventType::kNoteOff) {
      for (size_t i : open[{e.channel, e.a}]) notes[i].off = e.frame;
      open[{e.channel, e.a}].clear();
    }
  }
  return notes;
}

bool StartsNear(const std::vector<PlayedNote>& notes, int channel, int key, double seconds) {
  return std::any_of(notes.begin(), notes.end(), [&](const PlayedNote& n) {
    return n.channel == channel && n.key == key && std::llabs(n.on - Frame(seconds)) <= Frame(0.002);
  });
}

int CountStarting(const std::vector<PlayedNote>& notes, int channel, double from, double to) {
  return static_cast<int>(std::count_if(notes.begin(), notes.end(), [&](const PlayedNote& n) {
    return n.channel == channel && n.on >= Frame(from) && n.on < Frame(to);
  }));
}

TEST(MelodyTest, ReadsNotesLengthsAndRests) {
  const std::vector<MelodyNote> notes = ParseMelody("C4:1 Bb3:.5 r:.5 F#5:2 | A0:4 |");
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(std::tie(notes[0].beat, notes[0].beats, notes[0].key), std::make_tuple(0.0, 1.0, 60));
  EXPECT_EQ(std::tie(notes[1].beat, notes[1].beats, notes[1].key), std::make_tuple(1.0, 0.5, 58));
  EXPECT_EQ(std::tie(notes[2].beat, notes[2].beats, notes[2].key), std::make_tuple(2.0, 2.0, 78));
  EXPECT_EQ(std::tie(notes[3].beat, notes[3].beats, notes[3].key), std::make_tuple(4.0, 4.0, 21));
}

TEST(MelodyTest, RejectsMalformedTokensAndBarLinesInsideABar) {
  for (const char* line : {"C4:1 | D4:3", "H4:1", "C4", "C4:0", "C4:x", "C:1", "C4:1.5.5", "Cb:1"}) {
    EXPECT_THROW(ParseMelody(line), std::invalid_argument) << line;
  }
}

TEST(ChordTest, NamesVoicingsAndRoots) {
  EXPECT_EQ(ChordKeys(ParseChord("Dm"), 55, 4), (std::vector<int>{57, 62, 65, 69}));
  EXPECT_EQ(ChordKeys(ParseChord("Bb"), 55, 3), (std::vector<int>{58, 62, 65}));
  EXPECT_EQ(ChordKeys(ParseChord("Asus4"), 57, 3), (std::vector<int>{57, 62, 64}));
  EXPECT_EQ(ChordKeys(ParseChord("C#"), 60, 3), (std::vector<int>{61, 65, 68}));
  EXPECT_EQ(ChordRootIn(ParseChord("Bb"), 33), 34);
  EXPECT_EQ(ChordRootIn(ParseChord("A"), 33), 33);
  EXPECT_EQ(ChordRootIn(ParseChord("Gm"), 33), 43);
  EXPECT_THROW(ParseChord("Cmaj9"), std::invalid_argument);
}

TEST(ScoreWriterTest, ARepeatedKeyEndsTheEarlierNoteBeforeStartingAgain) {
  ScoreWriter writer;
  writer.Note(kDrumChannel, 0.0, 4.0, kCrash, 100, 1.0);  // would ring until beat 4
  writer.Note(kDrumChannel, 1.0, 1.0, kCrash, 100, 1.0);
  writer.Program(kDrumChannel, 1.0, 128, 25);
  const Score score = writer.Finish(0, 0);
  std::vector<std::tuple<long long, ScoreEventType>> seen;
  for (const ScoreEvent& e : score.events) seen.emplace_back(e.frame, e.type);
  const std::vector<std::tuple<long long, ScoreEventType>> expected = {
      {0, ScoreEventType::kNoteOn},
      {kFramesPerBeat, ScoreEventType::kProgram},
      {kFramesPerBeat, ScoreEventType::kNoteOff},
      {kFramesPerBeat, ScoreEventType::kNoteOn},
      {2 * kFramesPerBeat, ScoreEventType::kNoteOff},
  };
  EXPECT_EQ(seen, expected);
}

TEST(ScoreWriterTest, NotesOfOneKeyStartingTogetherBecomeTheStrongest) {
  ScoreWriter writer;
  writer.Note(kDrumChannel, 1.0, 0.25, kSnare, 70, 1.0);
  writer.Note(kDrumChannel, 1.0, 1.0, kSnare, 100, 1.0);
  const Score score = writer.Finish(0, 0);
  ASSERT_EQ(score.events.size(), 2u);
  EXPECT_EQ(score.events[0].type, ScoreEventType::kNoteOn);
  EXPECT_EQ(score.events[1].frame - score.events[0].frame, kFramesPerBeat);
  EXPECT_GE(score.events[0].b, 97);  // 100, give or take the velocity's wander
}

TEST(PieceTest, IsTheSameOnEveryCall) {
  const Score a = ComposeScore(), b = ComposeScore();
  ASSERT_EQ(a.events.size(), b.events.size());
  for (size_t i = 0; i < a.events.size(); ++i) {
    const ScoreEvent &x = a.events[i], &y = b.events[i];
    ASSERT_EQ(std::tie(x.frame, x.type, x.channel, x.a, x.b), std::tie(y.frame, y.type, y.channel, y.a, y.b))
        << i;
  }
}

TEST(PieceTest, EveryEventIsValidAndEveryNoteEndsInsideThePiece) {
  const Score score = ComposeScore();
  EXPECT_EQ(score.frames, Frame(240.0));
  EXPECT_LT(score.fade_begin, score.fade_end);
  EXPECT_LE(score.fade_end, score.frames);
  long long last = 0;
  for (const ScoreEvent& e : score.events) {
    EXPECT_GE(e.frame, last);
    last = e.frame;
    EXPECT_LT(e.channel, kChannelCount);
    if (e.type == ScoreEventType::kNoteOn) {
      EXPECT_TRUE(e.a >= 0 && e.a <= 127 && e.b >= 1 && e.b <= 127) << e.a << " " << e.b;
    }
  }
  for (const PlayedNote& n : Notes(score)) {
    EXPECT_GT(n.off, n.on) << "channel " << n.channel << " key " << n.key << " at " << n.on;
    EXPECT_LE(n.off, score.frames);
  }
}

// The show's pictures follow these moments.
TEST(PieceTest, SectionsFallWhereThePicturesExpectThem) {
  const Score score = ComposeScore();
  const std::vector<PlayedNote> notes = Notes(score);

  // Quiet intro: no bass or drums before 15 s; the bass enters at 15 s.
  EXPECT_EQ(CountStarting(notes, kBassChannel, 0, 15) + CountStarting(notes, kDrumChannel, 0, 15), 0);
  EXPECT_GT(CountStarting(notes, kBassChannel, 15, 15.01), 0);

  // The grooves: a kick on every beat and a hat on every eighth.
  for (const auto& [from, to] : {std::pair{31.0, 134.0}, {157.0, 225.0}}) {
    for (double t = from; t < to; t += 0.5) EXPECT_TRUE(StartsNear(notes, kDrumChannel, kKick, t)) << t;
    for (double t = from; t < to; t += 0.25) {
      EXPECT_TRUE(std::any_of(score.hats.begin(), score.hats.end(), [&](const HatHit& h) {
        return std::llabs(h.frame - Frame(t)) <= Frame(0.002);
      })) << t;
    }
    EXPECT_GE(CountStarting(notes, kBassChannel, from, to), (to - from) * 3) << from;
  }

  // Drums and bass drop out from 134 s until the new section at 141 s, which opens with a crash.
  for (int channel : {kDrumChannel, kBassChannel, kSubChannel}) {
    EXPECT_EQ(CountStarting(notes, channel, 134.0, 141.0), 0) << channel;
  }
  for (const HatHit& h : score.hats)
    EXPECT_FALSE(h.frame >= Frame(134.0) && h.frame < Frame(141.0)) << h.frame;
  EXPECT_TRUE(StartsNear(notes, kDrumChannel, kCrash, 141.0));
  int programs_at_141 = 0;
  for (const ScoreEvent& e : score.events) {
    programs_at_141 +=
        e.type == ScoreEventType::kProgram && e.frame > Frame(140.9) && e.frame <= Frame(141.0);
  }
  EXPECT_GE(programs_at_141, 3);

  // The climax brings the lead's doubling and the crashes back.
  EXPECT_GT(CountStarting(notes, kDoubleChannel, 205, 225), 40);
  EXPECT_TRUE(StartsNear(notes, kDrumChannel, kCrash, 205.0));

  // Everything has started its last note well before the fade ends.
  EXPECT_EQ(CountStarting(notes, kDrumChannel, 234, 240), 0);
  for (const PlayedNote& n : notes) EXPECT_LT(n.on, score.fade_end) << n.channel;
}

}  // namespace
