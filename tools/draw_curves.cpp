// Draws the start-up curves (the nine pools and the single curve) into one PNG sheet, a panel per pool, so
// the walkers, strands, stems and meanders can be looked at. Usage: velmora-draw-curves OUT.png
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "assets/startup_curves.h"

namespace {

constexpr int kPanel = 400;
constexpr int kColumns = 5;

struct Bounds {
  float minX = 1e30f, maxX = -1e30f, minY = 1e30f, maxY = -1e30f;
  void Add(const Vec3& p) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
};

void DrawPanel(cairo_t* cr, int index, const std::string& title, const std::vector<const Curve*>& curves) {
  const double left = (index % kColumns) * kPanel, top = (index / kColumns) * kPanel;
  Bounds bounds;
  for (const Curve* curve : curves) {
    for (int k = 0; k < curve->count; ++k) bounds.Add(curve->points[k]);
  }
  const double width = std::max(1.0f, bounds.maxX - bounds.minX),
               height = std::max(1.0f, bounds.maxY - bounds.minY);
  const double scale = (kPanel - 40) / std::max(width, height);
  cairo_save(cr);
  cairo_rectangle(cr, left, top, kPanel, kPanel);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
  cairo_move_to(cr, left + 8, top + 16);
  cairo_show_text(cr, title.c_str());
  cairo_set_line_width(cr, 0.8);
  int hue = 0;
  for (const Curve* curve : curves) {
    if (curve->count == 0) continue;
    cairo_set_source_rgba(cr, 0.2 + 0.6 * ((hue * 37) % 100) / 100.0, 0.25,
                          0.8 - 0.6 * ((hue * 53) % 100) / 100.0, 0.8);
    ++hue;
    for (int k = 0; k < curve->count * 4; ++k) {  // the spline itself, four samples per segment
      Vec3 p;
      curve->Evaluate(k / 4.0f, p);
      const double x = left + 20 + (p.x - bounds.minX) * scale + (kPanel - 40 - width * scale) / 2;
      const double y = top + kPanel - 20 - (p.y - bounds.minY) * scale - (kPanel - 40 - height * scale) / 2;
      k == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velmora-draw-curves OUT.png\n");
    return 2;
  }
  ShowCurves show;
  BuildStartupCurves(show);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kColumns * kPanel, 2 * kPanel);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_font_size(cr, 13);
  static const char* kNames[] = {"pool 0: tapering strands",  "pool 1: stems, sparse meanders",
                                 "pool 2: first shoots",      "pool 3: second shoots",
                                 "pool 4: meanders",          "pool 5: offset walkers",
                                 "pool 6: wandering walkers", "pool 7: rising walkers",
                                 "pool 8: free walkers"};
  for (int pool = 0; pool < kCurvePoolCount; ++pool) {
    std::vector<const Curve*> curves;
    for (const Curve& curve : show.pools[pool]) curves.push_back(&curve);
    DrawPanel(cr, pool, kNames[pool], curves);
  }
  DrawPanel(cr, 9, "single curve (stalls not visible)", {&show.single});
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "velmora-draw-curves: cannot write %s: %s\n", argv[1],
                 cairo_status_to_string(status));
    return 1;
  }
  return 0;
}
