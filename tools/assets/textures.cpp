// Single pictures: soft lights and shadows, the silhouettes and sprites, the tower storeys, the butterfly
// and the leaf.
#include <algorithm>
#include <cmath>

#include "tools/assets/textures.h"

namespace assets {

namespace {

double SmoothStep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Image GreyImage(int width, int height, const std::function<double(int, int)>& value) {
  Image image{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto v = uint8_t(std::lround(std::clamp(value(x, y), 0.0, 1.0) * 255));
      uint8_t* p = image.At(x, y);
      p[0] = p[1] = p[2] = v;
    }
  }
  return image;
}

// A glowing dot: a radial gradient from the colour to nothing.
void GlowSpot(cairo_t* cr, double x, double y, double radius, Rgb colour, double strength) {
  cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, strength);
  cairo_pattern_add_color_stop_rgba(glow, 0.3, colour.r, colour.g, colour.b, strength * 0.35);
  cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, x, y, radius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

void Limb(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

}  // namespace

Image Blob() {
  return GreyImage(128, 128, [](int x, int y) {
    const double r = std::hypot(x - 63.5, y - 63.5) / 60.0;
    return 1.0 - SmoothStep(0.05, 1.0, r);
  });
}

Image ShadowBand() {
  return GreyImage(256, 32, [](int x, int) {
    const double s = std::sin(kPi * (x + 0.5) / 256.0);
    return s * s * (1.5 - 0.5 * s * s) / 1.0;
  });
}

Image Glow() {
  Canvas canvas(256, 256);
  cairo_t* cr = canvas.cr();
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  const Rgb gold{1.0, 0.72, 0.32}, pale{1.0, 0.93, 0.78};
  GlowSpot(cr, 128, 128, 118, gold, 0.45);
  // A halo of fine rays between two rings.
  for (int i = 0; i < 48; ++i) {
    const double a = 2 * kPi * i / 48, inner = i % 2 ? 78 : 72, outer = i % 2 ? 94 : 106;
    cairo_move_to(cr, 128 + std::cos(a) * inner, 128 + std::sin(a) * inner);
    cairo_line_to(cr, 128 + std::cos(a) * outer, 128 + std::sin(a) * outer);
  }
  SetColour(cr, gold, 0.35);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  for (double r : {68.0, 110.0}) {
    cairo_arc(cr, 128, 128, r, 0, 2 * kPi);
    SetColour(cr, gold, 0.3);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  // The crescent: a disc with an offset disc cut out of it, drawn in a group so the cut stays clear.
  cairo_push_group(cr);
  cairo_arc(cr, 128, 128, 50, 0, 2 * kPi);
  SetColour(cr, pale);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_arc(cr, 150, 112, 44, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  // Sparks around the moon.
  Lcg rng(909);
  for (int i = 0; i < 11; ++i) {
    const double a = rng.Range(0, 2 * kPi), r = rng.Range(30, 64), size = rng.Range(3, 7);
    const double x = 136 + std::cos(a) * r, y = 120 + std::sin(a) * r;
    GlowSpot(cr, x, y, size * 2.2, pale, 0.9);
    for (int k = 0; k < 2; ++k) {
      cairo_move_to(cr, x - (k ? 0 : size), y - (k ? size : 0));
      cairo_line_to(cr, x + (k ? 0 : size), y + (k ? size : 0));
    }
    SetColour(cr, pale, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  // Light adds to the screen, so everything outside the halo is forced to pure black.
  canvas.Shade([](int x, int y, Rgb c) { return std::hypot(x - 127.5, y - 127.5) > 118 ? kBlack : c; });
  return canvas.ToImage();
}

Image ManSilhouette() {
  Canvas canvas(128, 256);
  cairo_t* cr = canvas.cr();
  SetColour(cr, kWhite);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Hat: a brim and a slightly tapered crown.
  cairo_save(cr);
  cairo_translate(cr, 64, 35);
  cairo_scale(cr, 21, 3.5);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_move_to(cr, 52, 35);
  cairo_line_to(cr, 54, 15);
  cairo_curve_to(cr, 60, 12, 68, 12, 74, 15);
  cairo_line_to(cr, 76, 35);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Head, neck and the long coat.
  cairo_arc(cr, 64, 45, 12, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_rectangle(cr, 58, 50, 12, 14);
  cairo_fill(cr);
  cairo_move_to(cr, 64, 60);
  cairo_curve_to(cr, 50, 60, 40, 62, 38, 72);
  cairo_curve_to(cr, 36, 110, 34, 150, 30, 192);
  cairo_curve_to(cr, 50, 196, 78, 196, 96, 190);
  cairo_curve_to(cr, 92, 150, 92, 110, 90, 72);
  cairo_curve_to(cr, 88, 62, 78, 60, 64, 60);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Arms: one hanging, one on a cane.
  Limb(cr, 41, 72, 34, 150, 12);
  Limb(cr, 87, 72, 98, 138, 11);
  Limb(cr, 99, 136, 106, 242, 3.5);
  cairo_arc(cr, 98, 138, 6.5, 0, 2 * kPi);
  cairo_fill(cr);
  // Legs in mid stride and the shoes.
  Limb(cr, 54, 186, 47, 236, 13);
  Limb(cr, 74, 186, 82, 236, 13);
  for (double x : {44.0, 88.0}) {
    cairo_save(cr);
    cairo_translate(cr, x, 240);
    cairo_scale(cr, 10, 5);
    cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
    cairo_restore(cr);
    cairo_fill(cr);
  }
  return canvas.ToImage();
}

Image PixelButton() {
  // A pixel butterfly on near-white, mirrored about the middle column pair.
  Image image{32, 32, std::vector<uint8_t>(32 * 32 * 3)};
  auto inside = [](double dx, double dy) {
    const double ux = (dx - 7.5) / 7.5, uy = (dy + 5) / 6.5;  // upper wing
    const double lx = (dx - 5.5) / 5.0, ly = (dy - 6) / 5.5;  // lower wing
    if (ux * ux + uy * uy <= 1) return 1;
    if (lx * lx + ly * ly <= 1) return 2;
    return 0;
  };
  const Rgb background = Mix(kPaper, kWhite, 0.7);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double dx = std::abs(x - 15.5), dy = y - 15.5;
      Rgb c = background;
      const int wing = inside(dx, dy);
      if (wing) {
        const bool edge = !inside(dx + 1, dy) || !inside(dx, dy + 1) || !inside(dx, dy - 1) ||
                          (dx > 1 && !inside(dx - 1, dy));
        const double ex = dx - 8.5, ey = dy + 5.5;
        if (edge) {
          c = kInk;
        } else if (wing == 1 && ex * ex + ey * ey <= 2.5) {
          c = ex * ex + ey * ey <= 0.6 ? kInk : kOxblood;
        } else if (wing == 1) {
          c = dy < -8 ? Mix(kOchre, kOxblood, 0.4) : kOchre;
        } else {
          c = (x + y) % 4 == 0 ? kInk : kVerdigris;
        }
      }
      if (dx < 1 && dy > -8 && dy < 11) c = kInk;                         // body
      if (dy < -8 && std::abs(dx - (-8 - dy) * 0.6 - 1) < 0.5) c = kInk;  // antennae
      uint8_t* p = image.At(x, y);
      p[0] = uint8_t(std::lround(c.r * 255)), p[1] = uint8_t(std::lround(c.g * 255));
      p[2] = uint8_t(std::lround(c.b * 255));
    }
  }
  return image;
}

Image Walker() {
  constexpr int kCell = 64;
  Canvas canvas(16 * kCell, 2 * kCell);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pose = 0; pose < 32; ++pose) {
    const double phase = 2 * kPi * pose / 32;
    const double ox = (pose % 16) * kCell, oy = (pose / 16) * kCell;
    const double hipX = ox + 31, hipY = oy + 33 - 1.5 * std::cos(2 * phase);
    const double neckX = hipX + 2.0, neckY = hipY - 17;
    // Angles are measured from straight down, positive toward the walking direction (right).
    auto leg = [&](double p, double shade) {
      const double thigh = 0.5 * std::sin(p);
      const double swing = std::max(0.0, std::cos(p));  // the leg swings forward while cos > 0
      const double knee = 0.1 + 1.0 * swing * swing * std::max(0.0, 1.0 - std::sin(p) * 0.5);
      const double kx = hipX + std::sin(thigh) * 12.5, ky = hipY + std::cos(thigh) * 12.5;
      const double shin = thigh - knee;
      const double ax = kx + std::sin(shin) * 12.5, ay = ky + std::cos(shin) * 12.5;
      SetColour(cr, Mix(kBlack, kWhite, shade));
      cairo_move_to(cr, hipX, hipY);
      cairo_line_to(cr, kx, ky);
      cairo_line_to(cr, ax, ay);
      cairo_line_to(cr, ax + 4.5 * std::cos(shin), ay - 4.5 * std::sin(shin) * 0.3);
      cairo_set_line_width(cr, 4.6);
      cairo_stroke(cr);
    };
    auto arm = [&](double p, double shade) {
      const double upper = -0.45 * std::sin(p), fore = upper + 0.35 + 0.25 * std::max(0.0, -std::sin(p));
      const double sx = neckX, sy = neckY + 2;
      const double ex = sx + std::sin(upper) * 10, ey = sy + std::cos(upper) * 10;
      SetColour(cr, Mix(kBlack, kWhite, shade));
      cairo_move_to(cr, sx, sy);
      cairo_line_to(cr, ex, ey);
      cairo_line_to(cr, ex + std::sin(fore) * 9, ey + std::cos(fore) * 9);
      cairo_set_line_width(cr, 3.8);
      cairo_stroke(cr);
    };
    // Far limbs first and dimmer, so the near ones read in front.
    arm(phase, 0.65);
    leg(phase + kPi, 0.65);
    SetColour(cr, kWhite);
    Limb(cr, hipX, hipY, neckX, neckY, 7);
    cairo_arc(cr, neckX + 1.5, neckY - 7, 5.2, 0, 2 * kPi);
    cairo_fill(cr);
    leg(phase, 1.0);
    arm(phase + kPi, 1.0);
  }
  return canvas.ToImage();
}

Image FloorBands() {
  constexpr int kWidth = 256, kHeight = 512;
  // Storeys start every 0.1275 of the height. Eight of them reach past the bottom edge, so the last one keeps
  // its detail in the part that fits, and both the top and the bottom rows stay plain wall: whether a
  // renderer clamps or wraps there, it reads wall.
  constexpr double kBand = 0.1275 * kHeight;
  Canvas canvas(kWidth, kHeight);
  canvas.Paper(808, Mix(kPaper, kOchre, 0.2), 0.7);
  cairo_t* cr = canvas.cr();
  const Rgb stone = Mix(kPaper, kOchre, 0.35), dark = Mix(kInk, kIndigo, 0.4);
  const Rgb lit = Mix(kOchre, kWhite, 0.45);
  auto ink = [&](double width, double alpha = 0.9) {
    SetColour(cr, kInk, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  };
  auto window = [&](double x, double y, double w, double h, bool arched) {
    cairo_new_path(cr);
    if (arched) {
      cairo_move_to(cr, x, y + h);
      cairo_line_to(cr, x, y + w / 2);
      cairo_arc(cr, x + w / 2, y + w / 2, w / 2, kPi, 2 * kPi);
      cairo_line_to(cr, x + w, y + h);
      cairo_close_path(cr);
    } else {
      cairo_rectangle(cr, x, y, w, h);
    }
    SetColour(cr, lit);
    cairo_fill_preserve(cr);
    ink(1.6);
    cairo_move_to(cr, x + w / 2, y + (arched ? 0 : 0));
    cairo_line_to(cr, x + w / 2, y + h);
    cairo_move_to(cr, x, y + h * 0.55);
    cairo_line_to(cr, x + w, y + h * 0.55);
    ink(1.0, 0.8);
  };
  for (int band = 0; band < 8; ++band) {
    const double top = band * kBand, bottom = top + kBand;
    cairo_save(cr);
    cairo_rectangle(cr, 0, top, kWidth, kBand);
    cairo_clip(cr);
    switch (band) {
      case 0:  // parapet: crenels over a row of dentils
        for (int x = 0; x < kWidth; x += 32) {
          cairo_rectangle(cr, x + 4, top + 12, 20, 16);
          SetColour(cr, stone);
          cairo_fill_preserve(cr);
          ink(1.2);
        }
        for (int x = 0; x < kWidth; x += 8) cairo_rectangle(cr, x + 2, top + 40, 4, 8);
        SetColour(cr, dark, 0.85);
        cairo_fill(cr);
        cairo_rectangle(cr, -2, top + 28, kWidth + 4, 10);
        ink(1.2);
        break;
      case 1:  // arched windows
        for (int x = 0; x < kWidth; x += 64) window(x + 18, top + 10, 28, 46, true);
        break;
      case 2:  // brick courses
        for (int row = 0; row < 8; ++row) {
          const double y = top + row * kBand / 8;
          for (int x = (row % 2) * 16 - 16; x < kWidth; x += 32) {
            cairo_rectangle(cr, x + 1, y + 1, 30, kBand / 8 - 2);
            SetColour(cr, Mix(kOxblood, kOchre, ((x / 16 + row * 3) % 5) * 0.15));
            cairo_fill(cr);
          }
        }
        break;
      case 3:  // balcony with a balustrade in front of doors
        for (int x = 0; x < kWidth; x += 64) window(x + 20, top + 6, 24, 34, false);
        cairo_rectangle(cr, -2, top + 38, kWidth + 4, 5);
        SetColour(cr, stone);
        cairo_fill_preserve(cr);
        ink(1.2);
        for (int x = 0; x < kWidth; x += 8) {
          cairo_save(cr);
          cairo_translate(cr, x + 4, top + 51);
          cairo_scale(cr, 2.4, 7);
          cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
          cairo_restore(cr);
          SetColour(cr, stone);
          cairo_fill_preserve(cr);
          ink(0.9);
        }
        cairo_rectangle(cr, -2, top + 58, kWidth + 4, 5);
        SetColour(cr, Mix(stone, kInk, 0.3));
        cairo_fill_preserve(cr);
        ink(1.2);
        break;
      case 4:  // square windows with open shutters
        for (int x = 0; x < kWidth; x += 64) {
          for (int side = 0; side < 2; ++side) {
            cairo_rectangle(cr, x + (side ? 46 : 8), top + 12, 10, 40);
            SetColour(cr, kVerdigris);
            cairo_fill_preserve(cr);
            ink(1.0);
            for (int k = 1; k < 8; ++k) {
              cairo_move_to(cr, x + (side ? 46 : 8), top + 12 + 5 * k);
              cairo_line_to(cr, x + (side ? 56 : 18), top + 12 + 5 * k);
            }
            ink(0.6, 0.6);
          }
          window(x + 20, top + 12, 24, 40, false);
        }
        break;
      case 5:  // rusticated stone blocks
        for (int row = 0; row < 3; ++row) {
          const double y = top + row * kBand / 3;
          for (int x = (row % 2) * 32 - 32; x < kWidth; x += 64) {
            cairo_rectangle(cr, x + 2, y + 2, 60, kBand / 3 - 4);
            SetColour(cr, Mix(stone, kPaper, (row + x / 64 % 2) * 0.2));
            cairo_fill_preserve(cr);
            ink(1.0, 0.7);
          }
        }
        break;
      case 6:  // round windows on a string course
        cairo_move_to(cr, 0, top + 54);
        cairo_line_to(cr, kWidth, top + 54);
        ink(2.0);
        for (int x = 0; x < kWidth; x += 32) {
          cairo_arc(cr, x + 16, top + 28, 11, 0, 2 * kPi);
          SetColour(cr, x % 64 ? lit : Mix(lit, kOxblood, 0.3));
          cairo_fill_preserve(cr);
          ink(1.4);
          cairo_arc(cr, x + 16, top + 28, 14, 0, 2 * kPi);
          ink(0.8, 0.6);
        }
        break;
      case 7:  // arcade of shops, ending above the picture's bottom edge
        for (int x = 0; x < kWidth; x += 64) {
          cairo_move_to(cr, x + 12, top + 48);
          cairo_line_to(cr, x + 12, top + 26);
          cairo_arc(cr, x + 32, top + 26, 20, kPi, 2 * kPi);
          cairo_line_to(cr, x + 52, top + 48);
          cairo_close_path(cr);
          SetColour(cr, dark);
          cairo_fill_preserve(cr);
          ink(1.6);
          cairo_rectangle(cr, x + 20, top + 28, 24, 14);
          SetColour(cr, lit, 0.9);
          cairo_fill(cr);
        }
        cairo_move_to(cr, 0, top + 49.5);
        cairo_line_to(cr, kWidth, top + 49.5);
        ink(1.4);
        break;
    }
    cairo_restore(cr);
    if (bottom < kHeight) {
      cairo_move_to(cr, 0, std::round(bottom) - 0.5);
      cairo_line_to(cr, kWidth, std::round(bottom) - 0.5);
      ink(1.0, 0.8);
    }
  }
  return canvas.ToImage();
}

Image Butterfly() {
  Canvas canvas(256, 256);
  canvas.Paper(1111, Mix(kPaper, kWhite, 0.3), 0.6);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int side = 0; side < 2; ++side) {
    cairo_save(cr);
    if (side) cairo_translate(cr, 256, 0), cairo_scale(cr, -1, 1);
    // Upper wing.
    cairo_move_to(cr, 126, 110);
    cairo_curve_to(cr, 150, 60, 200, 20, 236, 36);
    cairo_curve_to(cr, 250, 70, 230, 120, 196, 132);
    cairo_curve_to(cr, 170, 138, 140, 130, 126, 118);
    cairo_close_path(cr);
    cairo_pattern_t* wash = cairo_pattern_create_radial(130, 115, 10, 130, 115, 120);
    cairo_pattern_add_color_stop_rgb(wash, 0, kOchre.r, kOchre.g, kOchre.b);
    cairo_pattern_add_color_stop_rgb(wash, 0.75, kOxblood.r, kOxblood.g, kOxblood.b);
    cairo_pattern_add_color_stop_rgb(wash, 1, kInk.r, kInk.g, kInk.b);
    cairo_set_source(cr, wash);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // Lower wing.
    cairo_move_to(cr, 126, 124);
    cairo_curve_to(cr, 160, 128, 206, 150, 196, 188);
    cairo_curve_to(cr, 188, 222, 150, 226, 134, 204);
    cairo_curve_to(cr, 128, 180, 126, 150, 126, 124);
    cairo_close_path(cr);
    cairo_set_source(cr, wash);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_stroke(cr);
    cairo_pattern_destroy(wash);
    // Veins from the body.
    const double veins[][4] = {{236, 36, 180, 60},
                               {240, 80, 190, 90},
                               {212, 124, 170, 110},
                               {196, 176, 160, 150},
                               {160, 214, 145, 170}};
    for (const auto& v : veins) {
      cairo_move_to(cr, 128, 118);
      cairo_curve_to(cr, v[2], v[3], v[2], v[3], v[0] - 6, v[1] + 4);
    }
    SetColour(cr, kInk, 0.7);
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    // Eye spots and a row of pale dots along the margin.
    cairo_arc(cr, 196, 74, 13, 0, 2 * kPi);
    SetColour(cr, kPaper);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, 196, 74, 6, 0, 2 * kPi);
    SetColour(cr, kIndigo);
    cairo_fill(cr);
    cairo_arc(cr, 172, 186, 8, 0, 2 * kPi);
    SetColour(cr, kVerdigris);
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_stroke(cr);
    for (int k = 0; k < 7; ++k) {
      const double t = k / 6.0;
      const double x = 232 - 30 * t * t - 4 * t, y = 44 + 76 * t;
      cairo_arc(cr, x, y, 2.4, 0, 2 * kPi);
      SetColour(cr, kPaper, 0.9);
      cairo_fill(cr);
    }
    // Antenna.
    cairo_move_to(cr, 130, 96);
    cairo_curve_to(cr, 136, 70, 146, 56, 156, 50);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, 157, 49, 3, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  // Body.
  cairo_save(cr);
  cairo_translate(cr, 128, 140);
  cairo_scale(cr, 6, 46);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, kInk);
  cairo_fill(cr);
  cairo_arc(cr, 128, 100, 7, 0, 2 * kPi);
  cairo_fill(cr);
  return canvas.ToImage();
}

Image Leaf() {
  Canvas canvas(256, 256);
  canvas.Paper(1212, Mix(kPaper, kWhite, 0.3), 0.6);
  cairo_t* cr = canvas.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Leaf space: the midrib runs along +x from the stalk at 0 to the tip at 1, scaled and turned on the page.
  cairo_translate(cr, 46, 214);
  cairo_rotate(cr, -kPi / 4);
  const double length = 236;
  auto halfWidth = [&](double t) {
    const double serration = 1 + 0.06 * std::sin(t * 2 * kPi * 9);
    return length * 0.26 * std::pow(std::sin(kPi * t), 0.85) * (1 - 0.35 * t) * serration;
  };
  const int steps = 120;
  for (int i = 0; i <= steps; ++i) {
    const double t = double(i) / steps;
    (i == 0 ? cairo_move_to : cairo_line_to)(cr, t * length, -halfWidth(t));
  }
  for (int i = steps; i >= 0; --i) {
    const double t = double(i) / steps;
    cairo_line_to(cr, t * length, halfWidth(t) * 0.92);
  }
  cairo_close_path(cr);
  cairo_pattern_t* wash = cairo_pattern_create_linear(0, -60, 0, 60);
  const Rgb olive = Mix(kVerdigris, kOchre, 0.45), deep = Mix(kVerdigris, kInk, 0.35);
  cairo_pattern_add_color_stop_rgb(wash, 0, olive.r, olive.g, olive.b);
  cairo_pattern_add_color_stop_rgb(wash, 0.5, kVerdigris.r, kVerdigris.g, kVerdigris.b);
  cairo_pattern_add_color_stop_rgb(wash, 1, deep.r, deep.g, deep.b);
  cairo_set_source(cr, wash);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(wash);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // Veins leave the midrib at a slant and curve toward the tip.
  for (int k = 1; k < 10; ++k) {
    const double t = k / 10.5, x = t * length;
    for (int side = -1; side <= 1; side += 2) {
      const double reach = halfWidth(t + 0.08) * 0.85;
      cairo_move_to(cr, x, 0);
      cairo_curve_to(cr, x + 12, side * reach * 0.4, x + 20, side * reach * 0.8, x + 32, side * reach);
    }
  }
  SetColour(cr, Mix(kInk, kVerdigris, 0.3), 0.8);
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  cairo_move_to(cr, -20, 4);
  cairo_curve_to(cr, 40, 0, 140, 0, length - 4, 0);
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 2.4);
  cairo_stroke(cr);
  return canvas.ToImage();
}

}  // namespace assets
