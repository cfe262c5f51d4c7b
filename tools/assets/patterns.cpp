// Tileable paper and ornaments: every motif sits on a lattice whose period divides the tile, and motifs
// are drawn through Wrapped() so that pieces crossing an edge come back on the other side.
#include <cmath>

#include "tools/assets/textures.h"

namespace assets {

namespace {

constexpr int kTile = 256;

void Petal(cairo_t* cr, double cx, double cy, double angle, double length, double width) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, length * 0.3, -width, length * 0.8, -width * 0.8, length, 0);
  cairo_curve_to(cr, length * 0.8, width * 0.8, length * 0.3, width, 0, 0);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void Rosette(cairo_t* cr, double cx, double cy, double radius, int petals, Rgb wash) {
  for (int i = 0; i < petals; ++i) Petal(cr, cx, cy, 2 * kPi * i / petals, radius, radius * 0.28);
  SetColour(cr, wash, 0.55);
  cairo_fill_preserve(cr);
  SetColour(cr, kInk, 0.9);
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  for (int i = 0; i < petals; ++i) {
    const double a = 2 * kPi * (i + 0.5) / petals;
    cairo_arc(cr, cx + std::cos(a) * radius * 0.78, cy + std::sin(a) * radius * 0.78, radius * 0.07, 0,
              2 * kPi);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy, radius * 0.2, 0, 2 * kPi);
  SetColour(cr, kOxblood);
  cairo_fill_preserve(cr);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 0.9);
  cairo_stroke(cr);
}

}  // namespace

// A soot-dark sheet: the show lays it over the picture with a darkening blend (the picture times one minus
// the texture), so its pale fibres and clouds darken the picture as a light paper grain.
Image PaperGrain() {
  Canvas canvas(kTile, kTile);
  canvas.Paper(101, Mix(kInk, kPaper, 0.12), 1.2);
  return canvas.ToImage();
}

Image Pattern() {
  Canvas canvas(kTile, kTile);
  canvas.Paper(202, Mix(kPaper, kWhite, 0.35), 0.5);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Wrapped(cr, kTile, kTile, [&] {
    // Wavy double rules along the lattice lines, with pearls where they cross.
    for (int k = 0; k < 4; ++k) {
      for (int side = -1; side <= 1; side += 2) {
        for (int axis = 0; axis < 2; ++axis) {
          for (int s = 0; s <= kTile; s += 2) {
            const double along = s, across = 64.0 * k + side * (3 + 2 * std::sin(2 * kPi * s / 32));
            if (axis == 0) (s == 0 ? cairo_move_to : cairo_line_to)(cr, along, across);
            if (axis == 1) (s == 0 ? cairo_move_to : cairo_line_to)(cr, across, along);
          }
          SetColour(cr, kInk, 0.55);
          cairo_set_line_width(cr, 0.8);
          cairo_stroke(cr);
        }
      }
    }
    for (int j = 0; j < 4; ++j) {
      for (int i = 0; i < 4; ++i) {
        const double x = 64.0 * i, y = 64.0 * j;
        // A quatrefoil knot on each crossing.
        for (int q = 0; q < 4; ++q) {
          const double a = kPi / 4 + q * kPi / 2;
          cairo_new_sub_path(cr);
          cairo_arc(cr, x + std::cos(a) * 6, y + std::sin(a) * 6, 4.5, 0, 2 * kPi);
        }
        SetColour(cr, Mix(kPaper, kWhite, 0.5));
        cairo_fill_preserve(cr);
        SetColour(cr, kInk, 0.85);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
        cairo_arc(cr, x, y, 2.2, 0, 2 * kPi);
        SetColour(cr, kOxblood);
        cairo_fill(cr);
        // A rosette in each cell, alternating eight and six petals, and small leaves toward the corners.
        const double cx = x + 32, cy = y + 32;
        Rosette(cr, cx, cy, 19, (i + j) % 2 ? 6 : 8, (i + j) % 2 ? kVerdigris : kOchre);
        for (int q = 0; q < 4; ++q) {
          const double a = kPi / 4 + q * kPi / 2;
          Petal(cr, cx + std::cos(a) * 22, cy + std::sin(a) * 22, a, 10, 3.2);
        }
        SetColour(cr, kInk, 0.75);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
      }
    }
  });
  return canvas.ToImage();
}

Image PatternDark() {
  Canvas canvas(kTile, kTile);
  const Rgb ground = Mix(kPaper, kOxblood, 0.45);
  canvas.Paper(303, ground, 0.8);
  cairo_t* cr = canvas.cr();
  Wrapped(cr, kTile, kTile, [&] {
    // Interlaced circles: each circle passes through its neighbours' centres, leaving lens-shaped petals.
    for (int j = 0; j < 8; ++j) {
      for (int i = 0; i < 8; ++i) {
        const double x = 32.0 * i, y = 32.0 * j;
        cairo_arc(cr, x, y, 32, 0, 2 * kPi);
        SetColour(cr, kInk, 0.12);
        cairo_fill(cr);
      }
    }
    for (int j = 0; j < 8; ++j) {
      for (int i = 0; i < 8; ++i) {
        const double x = 32.0 * i, y = 32.0 * j;
        cairo_arc(cr, x, y, 32, 0, 2 * kPi);
        SetColour(cr, kInk, 0.8);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_arc(cr, x + 16, y + 16, 5, 0, 2 * kPi);
        SetColour(cr, Mix(ground, kInk, 0.55));
        cairo_fill_preserve(cr);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_arc(cr, x, y, 2.5, 0, 2 * kPi);
        SetColour(cr, kOchre);
        cairo_fill(cr);
      }
    }
  });
  return canvas.ToImage();
}

Image PatternScales() {
  Canvas canvas(kTile, kTile);
  canvas.Paper(404, kPaper, 0.6);
  cairo_t* cr = canvas.cr();
  Wrapped(cr, kTile, kTile, [&] {
    // Rows drawn top to bottom, each scale overlapping the row above.
    for (int j = 0; j < 16; ++j) {
      for (int i = 0; i < 9; ++i) {
        const double x = 32.0 * i + (j % 2 ? 16 : 0), y = 16.0 * j;
        const Rgb wash = (i + j) % 3 == 0 ? kVerdigris : (i + j) % 3 == 1 ? kOchre : Mix(kPaper, kOchre, 0.4);
        for (int ring = 0; ring < 3; ++ring) {
          const double r = 16 - ring * 4.5;
          cairo_move_to(cr, x - r, y);
          cairo_arc_negative(cr, x, y, r, kPi, 0);
          cairo_close_path(cr);
          SetColour(cr, ring == 0 ? Mix(wash, kPaper, 0.3) : Mix(wash, kPaper, 0.3 + 0.25 * ring));
          cairo_fill_preserve(cr);
          SetColour(cr, kInk, ring == 0 ? 0.9 : 0.5);
          cairo_set_line_width(cr, ring == 0 ? 1.2 : 0.7);
          cairo_stroke(cr);
        }
      }
    }
  });
  return canvas.ToImage();
}

Image PatternGlyphs() {
  Canvas canvas(kTile, kTile);
  canvas.Paper(505, Mix(kPaper, kWhite, 0.2), 0.6);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  Lcg rng(55);
  // Faint ruled lines under each row of glyphs.
  for (int j = 0; j < 8; ++j) {
    cairo_move_to(cr, 0, 32.0 * j + 27.5);
    cairo_line_to(cr, kTile, 32.0 * j + 27.5);
  }
  SetColour(cr, kOxblood, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // An invented script: each glyph a stem, a bowl or hook, and sometimes a dot, inside a 32-pixel cell.
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 8; ++i) {
      const double x = 32.0 * i + 16, y = 32.0 * j + 16;
      const int stem = rng.Below(3), bowl = rng.Below(4);
      const bool dot = rng.Uniform() < 0.4;
      const double lean = rng.Range(-2, 2);
      cairo_new_path(cr);
      if (stem == 0) cairo_move_to(cr, x - 4 + lean, y - 10), cairo_line_to(cr, x - 4 - lean, y + 10);
      if (stem == 1)
        cairo_move_to(cr, x + lean, y - 11), cairo_curve_to(cr, x + 6, y - 2, x - 6, y + 4, x, y + 10);
      if (stem == 2)
        cairo_move_to(cr, x - 8, y + 10), cairo_line_to(cr, x + lean, y - 10),
            cairo_line_to(cr, x + 8, y + 10);
      if (bowl == 0) cairo_new_sub_path(cr), cairo_arc(cr, x + 3, y + 3, 6, -kPi / 2, kPi / 2);
      if (bowl == 1) cairo_move_to(cr, x - 9, y), cairo_curve_to(cr, x - 3, y - 8, x + 3, y + 8, x + 9, y);
      if (bowl == 2) cairo_new_sub_path(cr), cairo_arc(cr, x, y - 5, 5, 0, 2 * kPi);
      if (bowl == 3)
        cairo_move_to(cr, x - 7, y - 8), cairo_curve_to(cr, x + 8, y - 10, x + 10, y + 2, x + 2, y + 4);
      SetColour(cr, kInk, 0.9);
      cairo_set_line_width(cr, 2.2);
      cairo_stroke(cr);
      if (dot) {
        cairo_arc(cr, x + 8, y - 10, 1.8, 0, 2 * kPi);
        SetColour(cr, kOxblood);
        cairo_fill(cr);
      }
    }
  }
  return canvas.ToImage();
}

Image PatternSprouts() {
  Canvas canvas(kTile, kTile);
  canvas.Paper(606, Mix(kPaper, kVerdigris, 0.12), 0.6);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Wrapped(cr, kTile, kTile, [&] {
    for (int row = 0; row < 4; ++row) {
      const double base = 64.0 * row + 32, shift = row % 2 ? 32 : 0;
      auto stemY = [&](double x) { return base + 9 * std::sin(2 * kPi * (x - shift) / 64); };
      for (int s = 0; s <= kTile; s += 2) (s == 0 ? cairo_move_to : cairo_line_to)(cr, s, stemY(s));
      SetColour(cr, kInk, 0.85);
      cairo_set_line_width(cr, 1.8);
      cairo_stroke(cr);
      // At each crest a sprout curls away from the stem, with a leaf on the opposite side.
      for (int k = 0; k < 4; ++k) {
        for (int half = 0; half < 2; ++half) {
          const double x = shift + 64.0 * k + 16 + 32 * half, y = stemY(x);
          const double dir = half ? 1 : -1;
          cairo_move_to(cr, x, y);
          cairo_curve_to(cr, x + 4, y + dir * 10, x + 14, y + dir * 16, x + 14, y + dir * 10);
          cairo_curve_to(cr, x + 14, y + dir * 6, x + 9, y + dir * 7, x + 10, y + dir * 10);
          SetColour(cr, kInk, 0.8);
          cairo_set_line_width(cr, 1.1);
          cairo_stroke(cr);
          Petal(cr, x, y, dir > 0 ? -2.2 : 2.2, 16, 5);
          SetColour(cr, Mix(kVerdigris, kOchre, half * 0.5), 0.85);
          cairo_fill_preserve(cr);
          SetColour(cr, kInk, 0.9);
          cairo_set_line_width(cr, 0.9);
          cairo_stroke(cr);
          cairo_arc(cr, x + 14, y + dir * 10, 1.6, 0, 2 * kPi);
          SetColour(cr, kOxblood);
          cairo_fill(cr);
        }
      }
    }
  });
  return canvas.ToImage();
}

Image PatternTendrils() {
  Canvas canvas(kTile, kTile);
  canvas.Paper(707, Mix(kPaper, kOchre, 0.15), 0.6);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Lcg rng(77);
  // Tapered spirals: a tendril starts thick and winds inward, thinning as it goes.
  for (int t = 0; t < 26; ++t) {
    const double cx = rng.Range(0, kTile), cy = rng.Range(0, kTile);
    const double radius = rng.Range(10, 26), turns = rng.Range(1.6, 2.6), start = rng.Range(0, 2 * kPi);
    const double spin = rng.Uniform() < 0.5 ? 1 : -1;
    const Rgb colour = t % 4 == 0 ? kOxblood : t % 4 == 1 ? kVerdigris : kInk;
    const int steps = 60;
    Wrapped(cr, kTile, kTile, [&] {
      for (int s = 0; s < steps; ++s) {
        auto point = [&](int k, double& x, double& y) {
          const double f = double(k) / steps, a = start + spin * f * turns * 2 * kPi,
                       r = radius * (1 - 0.85 * f);
          // The outer end runs straight out of the spiral, like a stem.
          x = cx + std::cos(a) * r - (k < 10 ? (10 - k) * 2.0 * std::sin(a) * spin : 0);
          y = cy + std::sin(a) * r + (k < 10 ? (10 - k) * 2.0 * std::cos(a) * spin : 0);
        };
        double x0, y0, x1, y1;
        point(s, x0, y0), point(s + 1, x1, y1);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        SetColour(cr, colour, 0.9);
        cairo_set_line_width(cr, 3.2 * (1 - double(s) / steps) + 0.6);
        cairo_stroke(cr);
      }
    });
  }
  return canvas.ToImage();
}

}  // namespace assets
