// Drawing helpers shared by the pictures: a deterministic random source, the pack's palette, a cairo
// canvas that flattens to RGB, periodic noise for tileable grain, and wrapped drawing for seamless tiles.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace assets {

constexpr double kPi = 3.14159265358979323846;

// A 64-bit linear congruential generator; only its upper bits are handed out.
class Lcg {
 public:
  explicit Lcg(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 0x2545F4914F6CDD1DULL) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return uint32_t(state_ >> 32);
  }
  double Uniform() { return Next() / 4294967296.0; }  // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Below(int n) { return int(Uniform() * n); }

 private:
  uint64_t state_;
};

struct Rgb {
  double r, g, b;
};

// The pack's palette: warm paper, brown-black ink and a few earth accents.
constexpr Rgb kPaper{0.93, 0.87, 0.75};
constexpr Rgb kInk{0.15, 0.10, 0.07};
constexpr Rgb kOxblood{0.52, 0.15, 0.11};
constexpr Rgb kOchre{0.76, 0.55, 0.22};
constexpr Rgb kVerdigris{0.27, 0.45, 0.40};
constexpr Rgb kIndigo{0.18, 0.22, 0.38};
constexpr Rgb kWhite{1, 1, 1};
constexpr Rgb kBlack{0, 0, 0};

Rgb Mix(Rgb a, Rgb b, double t);

// An 8-bit RGB picture, rows top first.
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  uint8_t* At(int x, int y) { return &rgb[(size_t(y) * width + x) * 3]; }
  const uint8_t* At(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// A cairo ARGB surface that starts black and opaque.
class Canvas {
 public:
  Canvas(int width, int height);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Fill(Rgb colour);
  // Makes every pixel fully transparent, for cut-outs drawn with their own matte.
  void Clear();
  // Rewrites every pixel through shade(x, y, current colour) and leaves it opaque.
  void Shade(const std::function<Rgb(int, int, Rgb)>& shade);
  // Fills with warm paper whose grain and fibres repeat seamlessly across the edges.
  void Paper(uint64_t seed, Rgb tint, double grain);
  // The colour with any transparency undone (clear pixels black), and the coverage as grey.
  Image ToImage() const;
  Image AlphaImage() const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
// Runs draw nine times, shifted by every combination of -1, 0, +1 tile sizes, so that shapes crossing an
// edge reappear on the opposite one.
void Wrapped(cairo_t* cr, double width, double height, const std::function<void()>& draw);
// A closed smooth curve through the points (Catmull-Rom turned into Bezier segments).
void SmoothClosedPath(cairo_t* cr, const std::vector<double>& xy);

// Value noise on a lattice that repeats every `period` cells; coordinates are in tile units, so the
// result tiles seamlessly on [0, 1) x [0, 1).
class PeriodicNoise {
 public:
  PeriodicNoise(uint64_t seed, int period);
  double At(double u, double v) const;                    // [0, 1]
  double Fractal(double u, double v, int octaves) const;  // [0, 1], octaves double the frequency

 private:
  double Lattice(int i, int j, int octave) const;
  int period_;
  std::vector<double> values_;
};

}  // namespace assets
