// "Slow Orbit": the arrangement, section by section.
//
// D minor for the first half, F major for the second; 120 bpm, 4/4, bar n at 1 + 2n s.
//
//   bars     seconds   section
//   pickup   0-1       pad and two bell notes
//   0-6      1-15      intro: pad, sparse celesta, low strings
//   7-14     15-31     build: bass enters softly, arpeggio grows to sixteenths, soft kick, hats, snare roll
//   15-30    31-63     groove A: four-on-the-floor, bass in eighths, square lead with the main motif
//   31-46    63-95     groove B: open hats on the off-beats, new progression, long-note lead
//   47-62    95-127    groove A': the motif again, doubled an octave below, shaker
//   63-66    127-134   turnaround; everything stops on beat 3 of bar 66 (134 s)
//   66-69    134-141   breakdown: pad, strings, choir and a reversed cymbal swelling
//   70-73    141-149   F major, half-time: crash, tubular bell, electric piano, vibraphone, harp
//   74-81    149-165   second build: saw lead enters, drums back to four-on-the-floor
//   82-97    165-197   second groove, with the D minor motif returning over its old chords
//   98-101   197-205   pre-climax: rising lead, snare roll
//   102-111  205-225   climax: everything, lead doubled by brass below and glockenspiel above
//   112-119  225-240   wind-down and fade (gain falls from 228 s to silence at 239.5 s)
//
// The pictures react to 86 Hz and 9.9 kHz, so the groove is built to put energy there: the TR-808 kick; a
// synth bass whose line keeps returning to the chord tone nearest F2 (87 Hz), over a sine that holds the
// roots; and hi-hats of our own (hats.h): noise centred on 9.9 kHz. (The kit's 808 hat sample has a steady
// partial at 8.2 kHz that stands out of the long-term spectrum as a tonal line.)
#include <sstream>
#include <stdexcept>
#include <string>

#include "tools/music/piece.h"

namespace {

// One chord per bar, or two ("Gm-A") for a bar that changes at its middle.
constexpr const char* kChart[] = {
    "Dm Bb F C Dm Bb Gm-A",                       // 0-6 intro
    "Dm Bb F C Dm Bb Gm A",                       // 7-14 build
    "Dm Bb F C Dm Bb F C Dm Bb F C Dm Bb F C",    // 15-30 groove A
    "Bb C Am Dm Gm Bb C A Bb C Am Dm Gm Bb C A",  // 31-46 groove B
    "Dm Bb F C Dm Bb F C Dm Bb F C Dm Bb F C",    // 47-62 groove A'
    "Gm Bb C A",                                  // 63-66 turnaround
    "Dm Bb Asus4-A",                              // 67-69 breakdown
    "F C Dm Bb",                                  // 70-73 half-time
    "F C Dm Bb F C Bb C",                         // 74-81 second build
    "F C Dm Bb F C Dm Bb Dm Bb F C Dm Bb Gm C",   // 82-97 second groove
    "Bb C Bb C",                                  // 98-101 pre-climax
    "F C Dm Bb F C Dm Bb Gm C",                   // 102-111 climax
    "F C Dm Bb F Bb F F",                         // 112-119 wind-down
};

// The main motif and its variations, four bars each over Dm Bb F C.
constexpr const char* kMotif =
    "D5:1 E5:.5 F5:.5 A5:1.5 G5:.5 | F5:1.5 D5:1 F5:.5 G5:1 |"
    " A5:1.5 C6:.5 A5:.5 G5:.5 F5:1 | E5:1.5 G5:.5 E5:1 C5:1";
constexpr const char* kMotifAnswer =
    "D5:1 E5:.5 F5:.5 A5:1.5 G5:.5 | F5:1.5 D5:1 F5:.5 Bb5:1 |"
    " A5:1 C6:1 D6:1.5 C6:.5 | C6:1 Bb5:.5 A5:.5 G5:1 E5:1";
constexpr const char* kMotifRestless =
    "D5:.5 D5:.5 E5:.5 F5:.5 A5:1 G5:.5 A5:.5 | F5:1.5 D5:1 F5:.5 G5:1 |"
    " A5:1.5 C6:.5 A5:.5 G5:.5 F5:1 | E5:1 G5:1 C6:1.5 Bb5:.5";
constexpr const char* kMotifClose =
    "A5:1 F5:.5 A5:.5 D6:1.5 C6:.5 | Bb5:1.5 A5:.5 G5:1 F5:1 |"
    " A5:1 G5:.5 F5:.5 E5:1 F5:1 | G5:2 E5:1 r:1";
// Groove B, eight bars over Bb C Am Dm Gm Bb C A; the second time it ends leading back to D.
constexpr const char* kSong =
    "D6:2 C6:1 Bb5:1 | C6:3 G5:1 | A5:2 E5:1 A5:1 | F5:2.5 E5:.5 D5:1 |"
    " D5:1 G5:1 Bb5:1.5 A5:.5 | F5:2 G5:1 A5:1 | Bb5:1.5 A5:.5 G5:1 E5:1 |";
constexpr const char* kSongEndOpen = " C#5:1 E5:1 A5:2";
constexpr const char* kSongEndHome = " E5:1 C#5:1 A4:1 C#5:1";
constexpr const char* kTurnaround = "G5:1.5 A5:.5 Bb5:2 | D6:1.5 C6:.5 Bb5:1 A5:1 | G5:1 E5:1 C6:2 | C#6:2";
// The motif in F major, over F C Dm Bb.
constexpr const char* kMajor =
    "F5:1 G5:.5 A5:.5 C6:1.5 Bb5:.5 | G5:1.5 E5:1 G5:.5 A5:1 |"
    " A5:1.5 C6:.5 A5:.5 G5:.5 F5:1 | D5:1.5 F5:.5 D5:1 C5:1";
constexpr const char* kMajorAnswer =
    "F5:1 G5:.5 A5:.5 C6:1.5 Bb5:.5 | G5:1.5 E5:1 G5:.5 C6:1 |"
    " D6:1 C6:1 A5:1.5 F5:.5 | D6:1 C6:.5 Bb5:.5 A5:1 G5:1";
// Its outline on the vibraphone, in half notes, while the tubular bell of 141 s still rings.
constexpr const char* kMajorSlow = "r:2 A5:1 C6:1 | C6:3 Bb5:1 | A5:2 F5:2 | D5:3 r:1";
constexpr const char* kMajorRise =
    "F5:1 G5:.5 A5:.5 C6:1.5 Bb5:.5 | G5:1.5 E5:1 G5:.5 C6:1 |"
    " D6:1.5 C6:.5 Bb5:1 A5:1 | G5:2 C6:1 E6:1";
// The D minor motif back over its own chords, then an answer that turns towards C.
constexpr const char* kRecall =
    "D5:1 E5:.5 F5:.5 A5:1.5 G5:.5 | F5:1.5 D5:1 F5:.5 G5:1 |"
    " A5:1.5 C6:.5 A5:.5 G5:.5 F5:1 | E5:1.5 G5:.5 E5:1 C5:1 |"
    " D5:1 E5:.5 F5:.5 A5:1.5 G5:.5 | F5:1.5 D5:1 F5:.5 Bb5:1 |"
    " G5:1 Bb5:1 D6:1.5 C6:.5 | C6:1.5 Bb5:.5 G5:1 E5:1";
constexpr const char* kAscent = "F5:1 G5:1 A5:1 Bb5:1 | C6:2 G5:1 C6:1 | D6:1 C6:1 Bb5:1 D6:1 | E6:3 r:1";
constexpr const char* kCadence = "G5:1 Bb5:1 D6:1.5 C6:.5 | C6:1 Bb5:.5 A5:.5 G5:1 E5:1";
constexpr const char* kBreakdownBells = "D5:1 E5:.5 F5:.5 A5:2 | F5:2 D5:2 | E5:4";
constexpr const char* kFarewell =
    "E5:1 G5:1 C6:2 | A5:2 F5:2 | D5:4 | F5:1 G5:.5 A5:.5 C6:2 | D6:2 Bb5:2 | A5:4";

}  // namespace

Piece::Piece() {
  for (const char* section : kChart) {
    std::istringstream names(section);
    std::string name;
    while (names >> name) {
      const size_t dash = name.find('-');
      if (dash == std::string::npos) {
        chart_.push_back({ParseChord(name), ParseChord(name)});
      } else {
        chart_.push_back({ParseChord(name.substr(0, dash)), ParseChord(name.substr(dash + 1))});
      }
    }
  }
  if (chart_.size() != static_cast<size_t>(kBars)) {
    throw std::logic_error("the chord chart has " + std::to_string(chart_.size()) + " bars");
  }
}

void Piece::Pickup() {
  for (int key : ChordKeys(chart_[0][0], 55, 4)) w_.Note(kPadChannel, 0.0, BarBeat(1), key, 84, 1.0);
  w_.Line(kBellsChannel, 0.0, "A4:1 E5:1", 76);
  w_.Ramp(kPadChannel, kExpression, 0.0, BarBeat(2), 80, 110);
}

void Piece::Intro() {
  for (int bar = 1; bar <= 6; ++bar) Pad(bar, 84);
  for (int bar = 0; bar <= 6; ++bar) Bells(bar, 80 + bar);
  w_.Control(kStringsChannel, BarBeat(3), kExpression, 50);
  w_.Ramp(kStringsChannel, kExpression, BarBeat(4), BarBeat(7), 50, 90);
  for (int bar = 4; bar <= 6; ++bar) Chords(kStringsChannel, bar, 50, 2, 70);
}

void Piece::Build() {
  w_.Ramp(kArpChannel, kExpression, BarBeat(7), BarBeat(15), 70, 120);
  w_.Ramp(kPadChannel, kExpression, BarBeat(7), BarBeat(15), 110, 120);
  w_.Ramp(kStringsChannel, kExpression, BarBeat(7), BarBeat(15), 80, 120);
  for (int bar = 7; bar <= 14; ++bar) {
    const int rise = bar - 7;  // 0 ... 7
    Pad(bar, 72);
    Chords(kStringsChannel, bar, 50, 3, 64 + 3 * rise);
    if (bar <= 10) {
      Bells(bar, 66);
      Bass(bar, BassStyle::kWhole, 70 + 4 * rise);
      Arp(bar, 0.5, 58 + 3 * rise);
    } else {
      Bass(bar, bar <= 12 ? BassStyle::kQuarters : BassStyle::kEighths, 78 + 4 * rise);
      Arp(bar, 0.25, 62 + 3 * rise);
      Drums(bar, DrumStyle::kSoftKick, 64 + 7 * (bar - 11));
    }
    if (bar >= 13) {
      for (int i = 0; i < 8; ++i) {
        w_.Hat(BarBeat(bar) + 0.5 * i, 58 + 6 * (bar - 13) + (i % 2) * 12, false);
      }
    }
  }
  Roll(14, 0.0, 40, 112);
  Swell(15, 80);
}

void Piece::GrooveA() {
  Crash(15, 110);
  for (int bar = 15; bar <= 30; ++bar) {
    Pad(bar, 64);
    Arp(bar, 0.25, 58);
    Bass(bar, BassStyle::kEighths, 100);
    Sub(bar, 84);
    Drums(bar, DrumStyle::kFour, 104);
  }
  Roll(30, 2.0, 70, 110);
  w_.Line(kLeadChannel, BarBeat(15), kMotif, 96);
  w_.Line(kLeadChannel, BarBeat(19), kMotifAnswer, 96);
  w_.Line(kLeadChannel, BarBeat(23), kMotifRestless, 98);
  w_.Line(kLeadChannel, BarBeat(27), kMotifClose, 98);
}

void Piece::GrooveB() {
  Crash(31, 112);
  Crash(39, 108);
  for (int bar = 31; bar <= 46; ++bar) {
    Pad(bar, 62);
    Chords(kStringsChannel, bar, 57, 3, 60);
    Arp(bar, 0.5, 62);
    Bass(bar, BassStyle::kEighths, 100);
    Sub(bar, 84);
    Drums(bar, DrumStyle::kOpen, 104);
  }
  Roll(38, 3.0, 80, 100);
  Roll(46, 2.0, 70, 112);
  const std::string song = kSong;
  w_.Line(kLeadChannel, BarBeat(31), song + kSongEndOpen, 96);
  w_.Line(kLeadChannel, BarBeat(39), song + kSongEndHome, 98);
}

void Piece::GrooveAAgain() {
  Crash(47, 114);
  Crash(55, 110);
  for (int bar = 47; bar <= 62; ++bar) {
    Pad(bar, 64);
    Chords(kStringsChannel, bar, 64, 2, 56);
    Arp(bar, 0.25, 60);
    Bass(bar, BassStyle::kEighths, 102);
    Sub(bar, 86);
    Drums(bar, DrumStyle::kDrive, 106);
  }
  Roll(54, 3.0, 80, 100);
  Roll(62, 2.0, 70, 112);
  const char* lines[] = {kMotif, kMotifAnswer, kMotifRestless, kMotifAnswer};
  for (int i = 0; i < 4; ++i) {
    w_.Line(kLeadChannel, BarBeat(47 + 4 * i), lines[i], 100);
    w_.Line(kDoubleChannel, BarBeat(47 + 4 * i), lines[i], 80, -12);
  }
}

void Piece::Turnaround() {
  Crash(63, 110);
  for (int bar = 63; bar <= 66; ++bar) {
    Pad(bar, 54);
    Chords(kStringsChannel, bar, 57, 3, 70);
    if (bar < 66) {
      Arp(bar, 0.25, 62);
      Bass(bar, BassStyle::kEighths, 102);
      Sub(bar, 86);
      Drums(bar, DrumStyle::kFour, 106);
    }
  }
  // Bar 66: two hits, then the stop at 134 s.
  const double stop = BarBeat(66);
  w_.Note(kDrumChannel, stop, 2.0, kCrash, 112, 1.0);
  w_.Note(kDrumChannel, stop, 1.0, kKick, 110, 1.0);
  w_.Note(kDrumChannel, stop + 1.0, 1.0, kKick, 104, 1.0);
  w_.Note(kDrumChannel, stop + 1.0, 1.0, kSnare, 100, 1.0);
  for (int i = 0; i < 4; ++i) w_.Hat(stop + 0.5 * i, 110 + 10 * (i % 2), false);
  w_.Note(kBassChannel, stop, 1.0, ChordRootIn(chart_[66][0], 33), 104, 0.8);
  w_.Note(kBassChannel, stop + 1.0, 1.0, ChordRootIn(chart_[66][0], 33) + 12, 104, 0.8);
  w_.Note(kSubChannel, stop, 2.0, ChordRootIn(chart_[66][0], 33), 84, 0.95);
  w_.Line(kLeadChannel, BarBeat(63), kTurnaround, 100);
}

void Piece::Breakdown() {
  // From the stop at 134 s the pad, strings and choir swell towards the new section at 141 s.
  w_.Ramp(kStringsChannel, kExpression, BarBeat(67), BarBeat(70), 45, 127);
  w_.Ramp(kChoirChannel, kExpression, BarBeat(67), BarBeat(70), 50, 120);
  w_.Ramp(kPadChannel, kExpression, BarBeat(67), BarBeat(70), 100, 127);
  for (int bar = 67; bar <= 69; ++bar) {
    Pad(bar, 60);
    Chords(kStringsChannel, bar, 50, 5, 84);
    Chords(kChoirChannel, bar, 57, 3, 72);
  }
  w_.Line(kBellsChannel, BarBeat(67), kBreakdownBells, 60);
  w_.Ramp(kArpChannel, kExpression, BarBeat(69), BarBeat(70), 60, 120);
  Arp(69, 0.25, 66);
  Swell(70, 100);
}

void Piece::HalfTime() {
  const double at = BarBeat(70);
  Switch(kPadChannel, at, 0, 94);    // halo pad
  Switch(kArpChannel, at, 0, 46);    // harp
  Switch(kDoubleChannel, at, 0, 4);  // electric piano
  Switch(kBellsChannel, at, 0, 14);  // tubular bells for the downbeat, then vibraphone
  w_.Program(kBellsChannel, at + 0.25, 0, 11);
  Switch(kLeadChannel, at, 0, 81);  // saw lead, from the second build on
  w_.Control(kPadChannel, at, kExpression, 110);
  w_.Control(kArpChannel, at, kExpression, 110);
  w_.Control(kStringsChannel, at, kExpression, 100);
  w_.Control(kBellsChannel, at, kVolume, 81);
  w_.Control(kDoubleChannel, at, kVolume, 74);
  w_.Note(kBellsChannel, at, 4.0, 65, 100, 1.0);
  w_.Note(kBellsChannel, at, 4.0, 77, 90, 1.0);
  Crash(70, 118);
  for (int bar = 70; bar <= 73; ++bar) {
    Pad(bar, 56);
    Stabs(bar, 78);
    Arp(bar, 0.5, 64);
    Bass(bar, BassStyle::kHalfTime, 104);
    Sub(bar, 86);
    Drums(bar, DrumStyle::kHalfTime, 100);
  }
  Chords(kChoirChannel, 70, 60, 3, 70);
  w_.Line(kBellsChannel, BarBeat(70), kMajorSlow, 82);
}

void Piece::SecondBuild() {
  w_.Ramp(kStringsChannel, kExpression, BarBeat(78), BarBeat(82), 60, 115);
  for (int bar = 74; bar <= 81; ++bar) {
    Pad(bar, 56);
    if (bar <= 77) {
      Stabs(bar, 74);
      Arp(bar, 0.5, 64);
      Bass(bar, BassStyle::kHalfTime, 104);
      Drums(bar, DrumStyle::kHalfTime, 102);
    } else {
      Chords(kStringsChannel, bar, 57, 3, 70);
      Arp(bar, 0.25, 64);
      Bass(bar, BassStyle::kEighths, 104);
      Drums(bar, DrumStyle::kFour, 96 + 3 * (bar - 78));
    }
    Sub(bar, 86);
  }
  Roll(81, 0.0, 50, 114);
  Swell(82, 90);
  w_.Line(kLeadChannel, BarBeat(74), kMajor, 86);
  w_.Line(kLeadChannel, BarBeat(78), kMajorRise, 94);
}

void Piece::SecondGroove() {
  Crash(82, 116);
  Crash(90, 112);
  for (int bar = 82; bar <= 97; ++bar) {
    Pad(bar, 64);
    Arp(bar, 0.25, 64);
    Bass(bar, BassStyle::kDrive, 104);
    Sub(bar, 88);
    Drums(bar, bar < 90 ? DrumStyle::kDrive : DrumStyle::kOpen, 106);
    if (bar >= 90) {
      Chords(kStringsChannel, bar, 57, 3, 64);
      Chords(kChoirChannel, bar, 60, 3, 56);
    }
  }
  Roll(89, 3.0, 80, 104);
  Roll(97, 2.0, 70, 112);
  w_.Line(kLeadChannel, BarBeat(82), kMajor, 100);
  w_.Line(kLeadChannel, BarBeat(86), kMajorAnswer, 100);
  w_.Line(kLeadChannel, BarBeat(90), kRecall, 100);
}

void Piece::PreClimax() {
  w_.Ramp(kStringsChannel, kExpression, BarBeat(98), BarBeat(102), 70, 127);
  w_.Ramp(kChoirChannel, kExpression, BarBeat(98), BarBeat(102), 60, 127);
  for (int bar = 98; bar <= 101; ++bar) {
    Pad(bar, 56);
    Chords(kStringsChannel, bar, 57, 4, 76);
    Chords(kChoirChannel, bar, 60, 3, 66);
    Arp(bar, 0.25, 66 + 3 * (bar - 98));
    Bass(bar, BassStyle::kEighths, 106);
    Sub(bar, 88);
    Drums(bar, DrumStyle::kFour, 104 + 2 * (bar - 98));
  }
  Roll(100, 2.0, 60, 90);
  Roll(101, 0.0, 80, 124);
  Swell(102, 110);
  w_.Line(kLeadChannel, BarBeat(98), kAscent, 104);
}

void Piece::Climax() {
  Switch(kDoubleChannel, BarBeat(102), 0, 61);  // brass section
  Switch(kBellsChannel, BarBeat(102), 0, 9);    // glockenspiel
  w_.Control(kDoubleChannel, BarBeat(102), kVolume, 77);
  w_.Control(kBellsChannel, BarBeat(102), kVolume, 67);
  for (int bar : {102, 106, 110}) Crash(bar, 122);
  w_.Note(kDrumChannel, BarBeat(102), 4.0, kCrash2, 116, 1.0);
  for (int bar = 102; bar <= 111; ++bar) {
    Pad(bar, 60);
    Chords(kStringsChannel, bar, 57, 4, 88);
    Chords(kChoirChannel, bar, 60, 3, 80);
    Arp(bar, 0.25, 72);
    Bass(bar, BassStyle::kDrive, 112);
    Sub(bar, 92);
    Drums(bar, DrumStyle::kClimax, 114);
  }
  Roll(109, 3.0, 90, 110);
  Roll(111, 2.0, 90, 124);
  const std::string lines[] = {kMajor, kMajorAnswer, kCadence};
  const int bars[] = {102, 106, 110};
  for (int i = 0; i < 3; ++i) {
    w_.Line(kLeadChannel, BarBeat(bars[i]), lines[i], 112);
    w_.Line(kDoubleChannel, BarBeat(bars[i]), lines[i], 104, -12);
    w_.Line(kBellsChannel, BarBeat(bars[i]), lines[i], 84, 12);
  }
}

void Piece::WindDown() {
  const double start = BarBeat(112);
  Switch(kBellsChannel, start + 4.0, 0, 8);  // celesta again
  w_.Ramp(kStringsChannel, kExpression, start, BarBeat(119), 120, 70);
  w_.Ramp(kPadChannel, kExpression, start, BarBeat(119), 120, 80);
  Crash(112, 116);
  w_.Note(kDrumChannel, start, 1.0, kKick, 112, 1.0);
  w_.Note(kLeadChannel, start, 8.0, 77, 100, 0.9);
  w_.Note(kDoubleChannel, start, 4.0, 65, 90, 0.9);
  w_.Note(kBassChannel, start, 8.0, 41, 100, 0.9);
  w_.Note(kSubChannel, start, 8.0, 41, 84, 0.9);
  for (int bar = 112; bar <= 117; ++bar) {
    Pad(bar, 56 - 2 * (bar - 112));
    Chords(kStringsChannel, bar, 53, 4, 66);
    if (bar >= 113 && bar <= 115) {
      Drums(bar, DrumStyle::kHalfTime, 82 - 8 * (bar - 113));
      Bass(bar, BassStyle::kWhole, 84 - 6 * (bar - 113));
      Arp(bar, 0.5, 58 - 4 * (bar - 113));
    }
  }
  // The last chord, held into the fade.
  for (int key : ChordKeys(chart_[118][0], 53, 5)) w_.Note(kPadChannel, BarBeat(118), 6.0, key, 52, 1.0);
  for (int key : ChordKeys(chart_[118][0], 41, 4)) w_.Note(kStringsChannel, BarBeat(118), 6.0, key, 58, 1.0);
  w_.Line(kBellsChannel, BarBeat(113), kFarewell, 64);
}

Score Piece::Compose() {
  Setup();
  Pickup();
  Intro();
  Build();
  GrooveA();
  GrooveB();
  GrooveAAgain();
  Turnaround();
  Breakdown();
  HalfTime();
  SecondBuild();
  SecondGroove();
  PreClimax();
  Climax();
  WindDown();
  return w_.Finish(228 * kMusicRate, 239 * kMusicRate + kMusicRate / 2);
}

Score ComposeScore() {
  return Piece().Compose();
}
