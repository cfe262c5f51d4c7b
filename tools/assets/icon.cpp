// velmora-make-icons OUT_DIR: draws the program's icon into an icon theme tree,
// OUT_DIR/hicolor/NxN/apps/org.velmora.Velmora.png for each size and .../scalable/apps/...svg.
//
// One drawing in a 256-unit square serves every size: a dark tile with one of the show's dials (an ochre
// ring with dash marks round a pale disc and a dark hub) and the red line of the logo path sweeping under it.
#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/assets/paint.h"

namespace {

using namespace assets;
namespace fs = std::filesystem;

constexpr const char* kIconName = "org.velmora.Velmora";
constexpr double kUnits = 256;
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

void RoundedSquare(cairo_t* cr, double inset, double radius) {
  const double a = inset, b = kUnits - inset;
  cairo_new_sub_path(cr);
  cairo_arc(cr, b - radius, a + radius, radius, -kPi / 2, 0);
  cairo_arc(cr, b - radius, b - radius, radius, 0, kPi / 2);
  cairo_arc(cr, a + radius, b - radius, radius, kPi / 2, kPi);
  cairo_arc(cr, a + radius, a + radius, radius, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void DrawIcon(cairo_t* cr) {
  RoundedSquare(cr, 8, 40);
  cairo_pattern_t* ground = cairo_pattern_create_linear(0, 8, 0, kUnits - 8);
  cairo_pattern_add_color_stop_rgb(ground, 0, kIndigo.r, kIndigo.g, kIndigo.b);
  cairo_pattern_add_color_stop_rgb(ground, 1, 0.04, 0.05, 0.07);
  cairo_set_source(cr, ground);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(ground);
  cairo_clip(cr);

  // The logo path's red line, a slow wave across the lower half.
  cairo_move_to(cr, 0, 196);
  cairo_curve_to(cr, 60, 150, 110, 236, 170, 186);
  cairo_curve_to(cr, 205, 158, 230, 170, kUnits, 150);
  SetColour(cr, Rgb{0.80, 0.18, 0.12});
  cairo_set_line_width(cr, 14);
  cairo_stroke(cr);

  const double cx = 128, cy = 112;
  cairo_arc(cr, cx, cy, 76, 0, 2 * kPi);
  SetColour(cr, kOchre);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 60, 0, 2 * kPi);
  SetColour(cr, kPaper);
  cairo_fill(cr);
  cairo_set_line_width(cr, 7);
  SetColour(cr, kInk);
  for (int dash = 0; dash < 12; ++dash) {
    const double angle = dash * kPi / 6;
    cairo_move_to(cr, cx + 38 * std::cos(angle), cy + 38 * std::sin(angle));
    cairo_line_to(cr, cx + 54 * std::cos(angle), cy + 54 * std::sin(angle));
  }
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, 20, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_arc(cr, cx + 7, cy - 7, 6, 0, 2 * kPi);
  SetColour(cr, kPaper);
  cairo_fill(cr);
  cairo_reset_clip(cr);
}

bool WritePngIcon(const fs::path& path, int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, size / kUnits, size / kUnits);
  DrawIcon(cr);
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

bool WriteSvgIcon(const fs::path& path) {
  cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kUnits, kUnits);
  cairo_t* cr = cairo_create(surface);
  DrawIcon(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velmora-make-icons OUT_DIR\n");
    return 2;
  }
  const fs::path theme = fs::path(argv[1]) / "hicolor";
  std::error_code error;
  for (int size : kSizes) {
    const fs::path folder = theme / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    fs::create_directories(folder, error);
    if (!WritePngIcon(folder / (std::string(kIconName) + ".png"), size)) {
      std::fprintf(stderr, "velmora-make-icons: cannot write %s\n", folder.c_str());
      return 1;
    }
  }
  const fs::path scalable = theme / "scalable" / "apps";
  fs::create_directories(scalable, error);
  if (!WriteSvgIcon(scalable / (std::string(kIconName) + ".svg"))) {
    std::fprintf(stderr, "velmora-make-icons: cannot write %s\n", scalable.c_str());
    return 1;
  }
  return 0;
}
