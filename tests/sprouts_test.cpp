// The sprouts of both halves measured by what they hand the renderer: each strand is one quad strip whose
// stations span the part of the curve between its eaten start and its grown end, so the strips' lengths
// pin every ramp's start, spread and rate; the glTranslated that moves the whole sprout pins its drift.
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "render/gl_api.h"
#include "scenes/first_half_layers.h"
#include "scenes/second_half_layers.h"
#include "tests/half_fixture.h"

namespace {

constexpr double kStrandLength = 420;  // curve points a strand spans at full growth

// Every quad strip handed over (a strand: its stations, and whether it was black) and every glTranslated,
// while the calls go on to the table that was current. One recorder at a time.
class SproutRecorder {
 public:
  struct Strip {
    bool black;
    int stations;
  };
  struct Translation {
    double x, y, z;
  };

  SproutRecorder() : wrapped_(gGl) {
    active_ = this;
    gGl.Color3f = [](GLfloat r, GLfloat g, GLfloat b) {
      active_->black_ = r == 0 && g == 0 && b == 0;
      active_->wrapped_.Color3f(r, g, b);
    };
    gGl.Color3d = [](GLdouble r, GLdouble g, GLdouble b) {
      active_->black_ = r == 0 && g == 0 && b == 0;
      active_->wrapped_.Color3d(r, g, b);
    };
    gGl.Translated = [](GLdouble x, GLdouble y, GLdouble z) {
      active_->translations.push_back({x, y, z});
      active_->wrapped_.Translated(x, y, z);
    };
    gGl.DrawVertexSpan = [](const VertexSpan& span) {
      if (span.mode == GL_QUAD_STRIP) active_->strips.push_back({active_->black_, span.count / 2});
      active_->wrapped_.DrawVertexSpan(span);
    };
  }
  ~SproutRecorder() {
    gGl = wrapped_;
    active_ = nullptr;
  }
  SproutRecorder(const SproutRecorder&) = delete;
  SproutRecorder& operator=(const SproutRecorder&) = delete;

  std::vector<Strip> strips;
  std::vector<Translation> translations;

 private:
  inline static SproutRecorder* active_ = nullptr;
  GlSubset wrapped_;
  bool black_ = false;
};

// A staggered ramp (t - start - spread * r) * rate with r in [0, 1), clamped to 0 ... 1 with a fresh r for
// each comparison (scenes/ramps.h): when the first three draws fall inside, the fourth comes unclamped. The
// range of the values it can take.
struct StaggeredRampRange {
  double start, spread, rate;
  double Lowest(double t) const { return std::min((t - start - spread) * rate, 1.0); }
  double Highest(double t) const { return std::max((t - start) * rate, 0.0); }
  std::pair<double, double> Range(double t) const { return {Lowest(t), Highest(t)}; }
};

constexpr StaggeredRampRange kEaten{184, 8, 0.03};

// What a strand from eaten * 420 to grown * 420 on a curve of n points hands over (the ribbon's own clamps:
// both ends on the curve, nothing for a reversed span or one ending before the second point, and a start
// and an end station around the points between).
struct StrandSpan {
  double from, to;
  StrandSpan(double eaten, double grown, int n)
      : from(std::clamp(kStrandLength * eaten, 0.0, n - 1.0)),
        to(std::clamp(kStrandLength * grown, 0.0, n - 1.0)) {}
  bool Drawn() const { return from <= to && to >= 1; }
  int Stations() const { return std::max(int(to) - int(from) + 1, 2); }
};

class SproutsTest : public HalfTest<FirstHalfScenes> {
 protected:
  struct SproutCase {
    const char* name;
    std::function<void(const Scene&)> draw;
    int curve;  // of pool 4
    StaggeredRampRange grown, tip;
  };

  std::vector<SproutCase> Sprouts() const {
    const auto first = [](int row) { return [row](const Scene& s) { DrawStrandSprout(s, row); }; };
    const auto second = [](int row) { return [row](const Scene& s) { DrawSecondHalfSprout(s, row); }; };
    return {{"row 56", first(56), 0, {38, 18, 0.07}, {65, 18, 0.19}},
            {"row 57", first(57), 6, {58, 18, 0.07}, {65, 18, 0.19}},
            {"row 58", first(58), 0, {62, 18, 0.07}, {86, 18, 0.19}},
            {"second half's row 24", second(24), 0, {175, 18, 0.07}, {65, 18, 0.19}},
            {"second half's row 27", second(27), 2, {172, 18, 0.07}, {65, 18, 0.19}},
            {"second half's row 28", second(28), 0, {157, 18, 0.07}, {65, 18, 0.19}}};
  }

  struct Recorded {
    std::vector<SproutRecorder::Strip> strips;
    std::vector<SproutRecorder::Translation> translations;
  };
  Recorded Record(const std::function<void(const Scene&)>& draw, double t) {
    SproutRecorder recorder;
    draw(Scene{*show_, state, t, {0, 0}});
    return {recorder.strips, recorder.translations};
  }

  // Every strip of one colour lies between the spans of the ramps' extreme values; none is there when even
  // the longest span is not drawn, and some are when even the shortest is.
  // `grown` gives the least and the most a strand may have grown.
  void ExpectStripsWithin(const std::vector<SproutRecorder::Strip>& strips, bool black,
                          std::pair<double, double> grown, double t, int n, const char* what) {
    const StrandSpan shortest(kEaten.Highest(t), grown.first, n);
    const StrandSpan longest(kEaten.Lowest(t), grown.second, n);
    int count = 0;
    for (const auto& strip : strips) {
      if (strip.black != black) continue;
      ++count;
      EXPECT_GE(strip.stations, shortest.Drawn() ? shortest.Stations() : 2) << what << " at " << t;
      EXPECT_LE(strip.stations, longest.Stations()) << what << " at " << t;
    }
    if (!longest.Drawn()) {
      EXPECT_EQ(count, 0) << what << " at " << t;
    }
    if (shortest.Drawn()) {
      EXPECT_GT(count, 0) << what << " at " << t;
    }
  }

  int PointsOf(int curve) const { return show_->curves.pools[4][size_t(curve)].count; }
};

// Black strands follow the slow growth ramp and their coloured copies the fast one, each from its own start,
// staggered over 18 s; from 184 s both are eaten from their start, staggered over 8 s.
TEST_F(SproutsTest, EachRampStartsAndRisesAtItsRateInTheStrandsHandedOver) {
  for (const SproutCase& sprout : Sprouts()) {
    const int n = PointsOf(sprout.curve);
    ASSERT_GT(n, 2) << sprout.name;
    for (const auto& [ramp, black] : {std::pair(sprout.grown, true), std::pair(sprout.tip, false)}) {
      // From 2 s before the ramp to 1 s after its last strand is full, every quarter of a second: the
      // random draws differ from strand to strand, so a ramp too early, late, fast or slow shows in some.
      for (double t = ramp.start - 2; t < ramp.start + ramp.spread + 1 / ramp.rate + 1; t += 0.25) {
        ExpectStripsWithin(Record(sprout.draw, t).strips, black, ramp.Range(t), t, n, sprout.name);
      }
    }
    for (double t = kEaten.start - 2; t < kEaten.start + kEaten.spread + 1 / kEaten.rate + 1; t += 0.25) {
      const auto strips = Record(sprout.draw, t).strips;
      ExpectStripsWithin(strips, true, sprout.grown.Range(t), t, n, sprout.name);
      ExpectStripsWithin(strips, false, sprout.tip.Range(t), t, n, sprout.name);
    }
  }
}

// Row 74's grey strands end at a fixed 200 points and are eaten like the others.
TEST_F(SproutsTest, TheGreySproutsStrandsAreEatenFromTheirStartAfter184Seconds) {
  const auto draw = [](const Scene& s) { DrawStrandSprout(s, 74); };
  const int n = PointsOf(2);
  const std::pair fixedEnd(200 / kStrandLength, 200 / kStrandLength);
  for (double t = kEaten.start - 2; t < kEaten.start + kEaten.spread + 1 / kEaten.rate + 1; t += 0.25) {
    const auto strips = Record(draw, t).strips;
    ExpectStripsWithin(strips, true, fixedEnd, t, n, "row 74");
    ExpectStripsWithin(strips, false, fixedEnd, t, n, "row 74");
  }
}

// The whole sprout moves left by 0.05 units a second of its own frame, standing where it is placed at 80 s:
// the one glTranslated that changes between two instants is that drift.
TEST_F(SproutsTest, EverySproutDriftsFromWhereItStandsAt80Seconds) {
  std::vector<std::pair<const char*, std::function<void(const Scene&)>>> sprouts;
  for (const SproutCase& sprout : Sprouts()) sprouts.emplace_back(sprout.name, sprout.draw);
  sprouts.emplace_back("row 74", [](const Scene& s) { DrawStrandSprout(s, 74); });
  for (const auto& [name, draw] : sprouts) {
    // Both instants after the second half's sprouts have eased into place.
    const double t1 = 185, t2 = 195;
    const auto first = Record(draw, t1).translations, second = Record(draw, t2).translations;
    ASSERT_EQ(first.size(), second.size()) << name;
    std::vector<size_t> changed;
    for (size_t i = 0; i < first.size(); ++i) {
      if (first[i].x != second[i].x || first[i].y != second[i].y || first[i].z != second[i].z)
        changed.push_back(i);
    }
    ASSERT_EQ(changed.size(), 1u) << name;
    const auto &a = first[changed[0]], &b = second[changed[0]];
    EXPECT_EQ(a.y, 0) << name;
    EXPECT_EQ(a.z, 0) << name;
    const double rate = (b.x - a.x) / (t2 - t1);
    EXPECT_NEAR(rate, -0.05, 1e-12) << name;
    EXPECT_NEAR(t1 + a.x / -rate, 80.0, 1e-9) << name;  // where the drift is zero
  }
}

}  // namespace
