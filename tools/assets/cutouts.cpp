// Cut-outs: each is drawn once on a transparent canvas; the colour and the matte both come from it, so
// they always agree.
#include <cmath>

#include "tools/assets/textures.h"

namespace assets {

namespace {

void Ellipse(cairo_t* cr, double x, double y, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void Stroke(cairo_t* cr, Rgb colour, double width, double alpha = 1.0) {
  SetColour(cr, colour, alpha);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

CutOut Finish(const Canvas& canvas) {
  return {canvas.ToImage(), canvas.AlphaImage()};
}

struct PortraitStyle {
  bool pointedArch;
  Rgb groundTop, groundBottom, robe, trim;
  uint64_t seed;
};

// A standing figure in a gilt arched frame, 128 x 512.
CutOut Portrait(const PortraitStyle& style) {
  Canvas canvas(128, 512);
  canvas.Clear();
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto archPath = [&](double inset) {
    const double left = 3 + inset, right = 125 - inset, top = 3 + inset, bottom = 509 - inset;
    const double half = (right - left) / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, left, bottom);
    if (style.pointedArch) {
      cairo_line_to(cr, left, top + half * 1.4);
      cairo_curve_to(cr, left, top + half * 0.6, 64 - half * 0.3, top + half * 0.2, 64, top);
      cairo_curve_to(cr, 64 + half * 0.3, top + half * 0.2, right, top + half * 0.6, right, top + half * 1.4);
    } else {
      cairo_line_to(cr, left, top + half);
      cairo_arc(cr, 64, top + half, half, kPi, 2 * kPi);
    }
    cairo_line_to(cr, right, bottom);
    cairo_close_path(cr);
  };
  // Gilt frame.
  archPath(0);
  cairo_pattern_t* gilt = cairo_pattern_create_linear(0, 0, 128, 0);
  const Rgb light = Mix(kOchre, kWhite, 0.45), deep = Mix(kOchre, kInk, 0.35);
  cairo_pattern_add_color_stop_rgb(gilt, 0, deep.r, deep.g, deep.b);
  cairo_pattern_add_color_stop_rgb(gilt, 0.3, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(gilt, 0.7, kOchre.r, kOchre.g, kOchre.b);
  cairo_pattern_add_color_stop_rgb(gilt, 1, deep.r, deep.g, deep.b);
  cairo_set_source(cr, gilt);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(gilt);
  Stroke(cr, kInk, 2);
  // The painted ground inside the frame.
  archPath(9);
  cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, 0, 512);
  cairo_pattern_add_color_stop_rgb(ground, 0, style.groundTop.r, style.groundTop.g, style.groundTop.b);
  cairo_pattern_add_color_stop_rgb(ground, 1, style.groundBottom.r, style.groundBottom.g,
                                   style.groundBottom.b);
  cairo_set_source(cr, ground);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(ground);
  Stroke(cr, kInk, 1.5);
  // Beads along the frame.
  archPath(4.5);
  const double dashes[] = {0.1, 7};
  cairo_set_dash(cr, dashes, 2, 0);
  Stroke(cr, kInk, 2.6, 0.8);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_save(cr);
  archPath(9);
  cairo_clip(cr);
  // Scattered stars on the ground.
  Lcg rng(style.seed);
  for (int i = 0; i < 40; ++i) {
    const double x = rng.Range(14, 114), y = rng.Range(20, 440);
    cairo_arc(cr, x, y, rng.Range(0.8, 1.8), 0, 2 * kPi);
    SetColour(cr, Mix(style.trim, kWhite, 0.3), 0.8);
    cairo_fill(cr);
  }
  // Floor tiles.
  for (int i = 0; i < 8; ++i) {
    cairo_rectangle(cr, 12 + i * 14, 470, 14, 14), cairo_rectangle(cr, 12 + i * 14, 484, 14, 14);
    SetColour(cr, i % 2 ? kInk : kPaper);
    cairo_fill(cr);
  }
  // Halo, head and robe.
  cairo_arc(cr, 64, 118, 24, 0, 2 * kPi);
  SetColour(cr, Mix(kOchre, kWhite, 0.3));
  cairo_fill_preserve(cr);
  Stroke(cr, kInk, 1.2);
  cairo_move_to(cr, 64, 136);
  cairo_curve_to(cr, 40, 138, 36, 150, 36, 170);
  cairo_curve_to(cr, 34, 260, 28, 380, 22, 468);
  cairo_curve_to(cr, 50, 474, 78, 474, 106, 468);
  cairo_curve_to(cr, 100, 380, 94, 260, 92, 170);
  cairo_curve_to(cr, 92, 150, 88, 138, 64, 136);
  cairo_close_path(cr);
  cairo_pattern_t* folds = cairo_pattern_create_linear(22, 0, 106, 0);
  const Rgb shadow = Mix(style.robe, kInk, 0.45), lit = Mix(style.robe, kWhite, 0.25);
  for (int k = 0; k <= 6; ++k) {
    const Rgb c = k % 2 ? lit : shadow;
    cairo_pattern_add_color_stop_rgb(folds, k / 6.0, c.r, c.g, c.b);
  }
  cairo_set_source(cr, folds);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(folds);
  Stroke(cr, kInk, 1.6);
  // An ornamented band down the front and along the hem.
  cairo_move_to(cr, 64, 150);
  cairo_line_to(cr, 64, 466);
  Stroke(cr, style.trim, 7);
  for (int y = 158; y < 462; y += 12) {
    cairo_arc(cr, 64, y, 2, 0, 2 * kPi);
    SetColour(cr, kInk);
    cairo_fill(cr);
  }
  cairo_move_to(cr, 24, 456);
  cairo_curve_to(cr, 50, 462, 78, 462, 104, 456);
  Stroke(cr, style.trim, 5);
  // Hands folded at the chest, then the head over the collar.
  Ellipse(cr, 64, 236, 11, 8);
  SetColour(cr, Mix(kPaper, kOchre, 0.3));
  cairo_fill_preserve(cr);
  Stroke(cr, kInk, 1.2);
  cairo_move_to(cr, 44, 180);
  cairo_curve_to(cr, 46, 210, 54, 230, 60, 236);
  cairo_move_to(cr, 84, 180);
  cairo_curve_to(cr, 82, 210, 74, 230, 68, 236);
  Stroke(cr, kInk, 1.2, 0.8);
  Ellipse(cr, 64, 118, 12, 15);
  SetColour(cr, Mix(kPaper, kOchre, 0.3));
  cairo_fill_preserve(cr);
  Stroke(cr, kInk, 1.4);
  cairo_move_to(cr, 58, 115), cairo_line_to(cr, 61, 115);
  cairo_move_to(cr, 67, 115), cairo_line_to(cr, 70, 115);
  cairo_move_to(cr, 61, 126), cairo_line_to(cr, 67, 126);
  Stroke(cr, kInk, 1.3);
  cairo_restore(cr);
  return Finish(canvas);
}

}  // namespace

CutOut PortraitGaitis() {
  return Portrait({false, Mix(kIndigo, kInk, 0.3), Mix(kIndigo, kOchre, 0.5), kOxblood, kOchre, 31});
}

CutOut PortraitBl() {
  return Portrait({true, Mix(kOchre, kPaper, 0.3), Mix(kOchre, kOxblood, 0.5), kVerdigris,
                   Mix(kOxblood, kOchre, 0.3), 47});
}

CutOut Airship() {
  Canvas canvas(256, 128);
  canvas.Clear();
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // The soft shadow on the ground: black with falling coverage.
  cairo_save(cr);
  cairo_translate(cr, 132, 112);
  cairo_scale(cr, 1, 0.12);
  cairo_pattern_t* shade = cairo_pattern_create_radial(0, 0, 0, 0, 0, 96);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.55);
  cairo_pattern_add_color_stop_rgba(shade, 0.6, 0, 0, 0, 0.3);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shade);
  cairo_arc(cr, 0, 0, 96, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  cairo_restore(cr);
  // Tail fins behind the hull.
  const Rgb canvasCloth = Mix(kPaper, kOchre, 0.25), fin = Mix(kOxblood, kOchre, 0.2);
  cairo_move_to(cr, 52, 46), cairo_line_to(cr, 18, 20), cairo_line_to(cr, 12, 24), cairo_line_to(cr, 26, 50);
  cairo_close_path(cr);
  cairo_move_to(cr, 52, 58), cairo_line_to(cr, 18, 82), cairo_line_to(cr, 12, 78), cairo_line_to(cr, 26, 54);
  cairo_close_path(cr);
  SetColour(cr, fin);
  cairo_fill_preserve(cr);
  Stroke(cr, kInk, 1.4);
  // Rigging, then the gondola under the hull.
  for (int k = 0; k < 4; ++k) {
    cairo_move_to(cr, 104 + k * 14, 72);
    cairo_line_to(cr, 118 + k * 8, 86);
  }
  Stroke(cr, kInk, 0.9);
  cairo_move_to(cr, 110, 86), cairo_line_to(cr, 158, 86), cairo_curve_to(cr, 162, 96, 154, 98, 150, 98);
  cairo_line_to(cr, 116, 98), cairo_curve_to(cr, 110, 98, 108, 92, 110, 86);
  cairo_close_path(cr);
  SetColour(cr, Mix(kOxblood, kInk, 0.3));
  cairo_fill_preserve(cr);
  Stroke(cr, kInk, 1.2);
  for (int k = 0; k < 5; ++k) cairo_rectangle(cr, 116 + k * 8, 89, 5, 4);
  SetColour(cr, Mix(kOchre, kWhite, 0.5));
  cairo_fill(cr);
  Ellipse(cr, 106, 92, 1.5, 7);
  SetColour(cr, kInk, 0.8);
  cairo_fill(cr);
  // Hull: a long ellipse shaded from the lit top to the dark belly, with gores and ribs.
  Ellipse(cr, 132, 52, 100, 28);
  cairo_pattern_t* hull = cairo_pattern_create_linear(0, 24, 0, 80);
  const Rgb top = Mix(canvasCloth, kWhite, 0.4), belly = Mix(canvasCloth, kInk, 0.45);
  cairo_pattern_add_color_stop_rgb(hull, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(hull, 0.35, canvasCloth.r, canvasCloth.g, canvasCloth.b);
  cairo_pattern_add_color_stop_rgb(hull, 1, belly.r, belly.g, belly.b);
  cairo_set_source(cr, hull);
  cairo_fill(cr);
  cairo_pattern_destroy(hull);
  cairo_save(cr);
  Ellipse(cr, 132, 52, 100, 28);
  cairo_clip(cr);
  for (double k : {-0.6, -0.25, 0.1, 0.45, 0.8}) Ellipse(cr, 132, 52 + k * 4, 100, std::abs(k) * 28 + 1);
  Stroke(cr, kInk, 0.7, 0.45);
  for (int k = 1; k < 10; ++k) {
    const double x = 32 + k * 20;
    cairo_move_to(cr, x, 20);
    cairo_curve_to(cr, x + 5, 40, x + 5, 64, x, 84);
  }
  Stroke(cr, kInk, 0.7, 0.35);
  // A painted band with the ship's ornament.
  cairo_rectangle(cr, 150, 24, 16, 60);
  SetColour(cr, kOxblood, 0.85);
  cairo_fill(cr);
  for (int y = 30; y < 80; y += 8) cairo_arc(cr, 158, y, 2, 0, 2 * kPi);
  SetColour(cr, kOchre);
  cairo_fill(cr);
  cairo_restore(cr);
  Ellipse(cr, 132, 52, 100, 28);
  Stroke(cr, kInk, 1.6);
  return Finish(canvas);
}

CutOut ScissorBlade(bool lower) {
  Canvas canvas(256, 256);
  canvas.Clear();
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Blade space: the pivot at the origin, the cutting edge along +x; the lower blade is the mirror image.
  cairo_translate(cr, 128, 128);
  if (lower) cairo_scale(cr, 1, -1);
  const Rgb steel = Mix(kIndigo, kWhite, 0.55), steelDark = Mix(kIndigo, kInk, 0.3);
  const Rgb brass = kOchre, brassDark = Mix(kOchre, kInk, 0.45);
  // The shank and the finger ring.
  cairo_move_to(cr, 4, -6);
  cairo_curve_to(cr, -20, -4, -40, 6, -62, 24);
  Stroke(cr, brassDark, 15);
  cairo_move_to(cr, 4, -6);
  cairo_curve_to(cr, -20, -4, -40, 6, -62, 24);
  Stroke(cr, brass, 10);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  Ellipse(cr, -82, 40, 28, 24);
  Ellipse(cr, -82, 40, 17, 14);
  cairo_pattern_t* ring = cairo_pattern_create_radial(-90, 30, 4, -82, 40, 30);
  cairo_pattern_add_color_stop_rgb(ring, 0, 1.0, 0.9, 0.6);
  cairo_pattern_add_color_stop_rgb(ring, 1, brassDark.r, brassDark.g, brassDark.b);
  cairo_set_source(cr, ring);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(ring);
  Stroke(cr, kInk, 1.6);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // Engraved leaves on the ring.
  for (int k = 0; k < 10; ++k) {
    const double a = 2 * kPi * k / 10;
    cairo_move_to(cr, -82 + std::cos(a) * 19, 40 + std::sin(a) * 16.5);
    cairo_line_to(cr, -82 + std::cos(a + 0.25) * 25, 40 + std::sin(a + 0.25) * 21.5);
  }
  Stroke(cr, kInk, 1.0, 0.7);
  // The blade, with the bevel along its cutting edge.
  cairo_move_to(cr, -16, 1);
  cairo_line_to(cr, 122, 0);
  cairo_curve_to(cr, 100, -8, 60, -17, 10, -18);
  cairo_curve_to(cr, -6, -18, -16, -12, -16, 1);
  cairo_close_path(cr);
  cairo_pattern_t* blade = cairo_pattern_create_linear(0, -18, 0, 1);
  cairo_pattern_add_color_stop_rgb(blade, 0, steelDark.r, steelDark.g, steelDark.b);
  cairo_pattern_add_color_stop_rgb(blade, 0.55, steel.r, steel.g, steel.b);
  cairo_pattern_add_color_stop_rgb(blade, 1, 0.95, 0.95, 0.93);
  cairo_set_source(cr, blade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(blade);
  Stroke(cr, kInk, 1.6);
  cairo_move_to(cr, 0, -4);
  cairo_curve_to(cr, 40, -4, 80, -3, 118, -0.5);
  Stroke(cr, kInk, 0.8, 0.5);
  // A scroll engraved near the heel of the blade.
  cairo_move_to(cr, 14, -10);
  cairo_curve_to(cr, 24, -16, 34, -6, 44, -11);
  cairo_curve_to(cr, 52, -15, 56, -9, 52, -8);
  Stroke(cr, kInk, 0.9, 0.7);
  // The pivot screw, at the picture centre in both blades.
  cairo_arc(cr, 0, 0, 7, 0, 2 * kPi);
  SetColour(cr, brass);
  cairo_fill_preserve(cr);
  Stroke(cr, kInk, 1.4);
  cairo_move_to(cr, -4, -4), cairo_line_to(cr, 4, 4);
  Stroke(cr, kInk, 1.4);
  return Finish(canvas);
}

}  // namespace assets
