// velmora-frame-sheet: renders the show every EVERY seconds of demo clock from FROM to TO into one labelled
// contact sheet, without a display.
// Usage: velmora-frame-sheet FROM TO EVERY OUT.png [CELL_WxH (default 384x216)]
// Run it where the show's files are (the build directory): textures/ and, for the spectrum, music/.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless/headless_context.h"
#include "show/frame_renderer.h"
#include "state/messages.h"
#include "tools/rgb_surface.h"

namespace {

constexpr int kColumns = 6, kLabel = 20, kMostCells = 400, kLargestCell = 1920;

bool Number(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  double from = 0, to = 0, every = 0;
  int width = 384, height = 216;
  const bool sizeOk = argc < 6 || (std::sscanf(argv[5], "%dx%d", &width, &height) == 2 && width > 0 &&
                                   height > 0 && width <= kLargestCell && height <= kLargestCell);
  if (argc < 5 || argc > 6 || !Number(argv[1], from) || !Number(argv[2], to) || !Number(argv[3], every) ||
      from < 0 || to < from || every <= 0 || (to - from) / every >= kMostCells || !sizeOk) {
    std::fprintf(stderr, "usage: velmora-frame-sheet FROM TO EVERY OUT.png [CELL_WxH (default 384x216)]\n");
    return 2;
  }
  std::string error;
  // Kept until the process ends, so that the driver outlives everything drawn with it.
  static const HeadlessContext* context = HeadlessContext::Create(error).release();
  if (!context) {
    std::fprintf(stderr, "velmora-frame-sheet: no headless OpenGL: %s\n", error.c_str());
    return 1;
  }
  StderrMessageSink messages;
  auto renderer = FrameRenderer::Create(width, height, 1.0 / 60.0, messages);
  if (!renderer) return 1;

  std::vector<double> clocks;
  for (double clock = from; clock <= to + 1e-9; clock += every) clocks.push_back(clock);
  const int rows = (int(clocks.size()) + kColumns - 1) / kColumns;
  const int cellHeight = height + kLabel;
  cairo_surface_t* sheet =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kColumns * width, rows * cellHeight);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.15, 0.15, 0.17);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 13);
  for (size_t i = 0; i < clocks.size(); ++i) {
    renderer->RenderAt(clocks[i]);
    const int x = int(i % kColumns) * width, y = int(i / kColumns) * cellHeight;
    cairo_surface_t* frame = SurfaceFromRgb(renderer->ReadPixels(), width, height);
    cairo_set_source_surface(cr, frame, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(frame);
    char label[64];
    std::snprintf(label, sizeof label, "clock %.1f s  show %.2f s", clocks[i], renderer->Show().showTime);
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
    cairo_move_to(cr, x + 6, y + height + 14);
    cairo_show_text(cr, label);
  }
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(sheet, argv[4]) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  if (!written) {
    std::fprintf(stderr, "velmora-frame-sheet: cannot write %s\n", argv[4]);
    return 1;
  }
  return 0;
}
