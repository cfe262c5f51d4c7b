// velmora-contact-sheet PACK_DIR OUT.png: decodes every texture of a pack with the show's decoder and lays
// them out, labelled, on one PNG with the shape files' glyphs, so a person can look over the whole pack.
// Tileable pictures are shown 2 x 2 to expose seams; colour and matte pairs are also shown composited
// over a checkerboard, and the two scissor blades together, opened about their shared pivot.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/assets/pack_reader.h"
#include "tools/assets/shapes.h"

namespace {

using namespace assets;
namespace fs = std::filesystem;

constexpr double kPi = 3.14159265358979323846;
constexpr int kPageWidth = 1800, kGap = 16, kLabel = 30, kMaxBox = 256;

cairo_surface_t* ToSurface(const DecodedPicture& picture, const DecodedPicture* matte) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
  cairo_surface_flush(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < picture.width; ++x) {
      const size_t i = (size_t(y) * picture.width + x) * 3;
      const uint32_t a = matte ? matte->rgb[i + 1] : 255;  // mattes are read from the green channel
      auto pre = [&](uint8_t v) { return uint32_t(v) * a / 255; };
      row[x] = a << 24 | pre(picture.rgb[i]) << 16 | pre(picture.rgb[i + 1]) << 8 | pre(picture.rgb[i + 2]);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

// One cell of the sheet: its size and how to draw it into the box at the origin.
struct Cell {
  std::string label, detail;
  double width, height;
  std::function<void(cairo_t*)> draw;
};

void Checkerboard(cairo_t* cr, double width, double height) {
  for (int y = 0; y * 8 < height; ++y) {
    for (int x = 0; x * 8 < width; ++x) {
      const double v = (x + y) % 2 ? 0.55 : 0.7;
      cairo_set_source_rgb(cr, v, v, v);
      cairo_rectangle(cr, x * 8, y * 8, std::min(8.0, width - x * 8), std::min(8.0, height - y * 8));
      cairo_fill(cr);
    }
  }
}

void Paint(cairo_t* cr, cairo_surface_t* surface, double x, double y, double scale, bool nearest) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), nearest ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

double FitScale(int width, int height, double box) {
  double scale = std::min(box / width, box / height);
  if (scale > 1) scale = std::min(std::floor(scale), 8.0);
  return scale;
}

void DrawGlyph(cairo_t* cr, const ShapeGlyph& glyph, double size) {
  cairo_set_source_rgb(cr, 0.95, 0.92, 0.85);
  cairo_rectangle(cr, 0, 0, size, size);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_rectangle(cr, size * 0.05, size * 0.05, size * 0.9, size * 0.9);  // the ±1 square
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const double half = size * 0.45;
  for (size_t p = 0; p < glyph.size(); ++p) {
    const auto& xy = glyph[p].xy;
    for (size_t i = 0; i < xy.size(); i += 2) {
      const double x = size / 2 + xy[i] / kShapeUnit * half, y = size / 2 - xy[i + 1] / kShapeUnit * half;
      (i == 0 ? cairo_move_to : cairo_line_to)(cr, x, y);
    }
    cairo_close_path(cr);
    const double hue = std::fmod(p * 0.61803, 1.0);
    cairo_set_source_rgba(cr, 0.35 + 0.4 * std::sin(2 * kPi * hue),
                          0.3 + 0.25 * std::sin(2 * kPi * (hue + 0.33)),
                          0.25 + 0.25 * std::sin(2 * kPi * (hue + 0.66)), 0.6);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.15, 0.1, 0.07);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmora-contact-sheet PACK_DIR OUT.png\n");
    return 2;
  }
  const fs::path textures = fs::path(argv[1]) / "textures";
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(textures, ec)) {
    if (entry.path().extension() == ".jpg") names.push_back(entry.path().filename().string());
  }
  if (ec || names.empty()) {
    std::fprintf(stderr, "no textures in %s\n", textures.string().c_str());
    return 1;
  }
  std::sort(names.begin(), names.end());

  int failures = 0;
  std::map<std::string, DecodedPicture> pictures;
  std::map<std::string, cairo_surface_t*> surfaces;
  std::vector<Cell> cells;
  for (const std::string& name : names) {
    std::string error;
    auto picture = DecodePicture((textures / name).string(), error);
    if (!picture) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
      ++failures;
      continue;
    }
    cairo_surface_t* surface = ToSurface(*picture, nullptr);
    surfaces[name] = surface;
    const bool tiled = name.rfind("pattern", 0) == 0 || name == "paper.jpg";
    const bool small = picture->width <= 64;
    const int w = picture->width, h = picture->height;
    const double box = w >= 4 * h ? 4.0 * kMaxBox : (h >= 4 * w ? 2.0 * kMaxBox : kMaxBox);
    const double scale = tiled ? FitScale(2 * w, 2 * h, box) : FitScale(w, h, box);
    const std::string detail = std::to_string(w) + "x" + std::to_string(h) + " " +
                               LayoutName(picture->layout) + (picture->progressive ? " prog" : "") +
                               (tiled ? " (2x2)" : "");
    cells.push_back(
        {name, detail, (tiled ? 2 : 1) * w * scale, (tiled ? 2 : 1) * h * scale, [=](cairo_t* cr) {
           for (int ty = 0; ty < (tiled ? 2 : 1); ++ty) {
             for (int tx = 0; tx < (tiled ? 2 : 1); ++tx) {
               Paint(cr, surface, tx * w * scale, ty * h * scale, scale, small);
             }
           }
         }});
    pictures[name] = std::move(*picture);
  }

  // Colour pictures over their mattes.
  const std::pair<const char*, const char*> pairs[] = {{"gaitis.jpg", "gaitisa.jpg"},
                                                       {"bl.jpg", "bla.jpg"},
                                                       {"zep1.jpg", "zepa.jpg"},
                                                       {"psalidi1.jpg", "psalidi1a.jpg"},
                                                       {"psalidi2.jpg", "psalidi2a.jpg"}};
  std::map<std::string, cairo_surface_t*> cutouts;
  for (const auto& [colour, matte] : pairs) {
    if (!pictures.count(colour) || !pictures.count(matte)) continue;
    const DecodedPicture& c = pictures[colour];
    cairo_surface_t* surface = ToSurface(c, &pictures[matte]);
    cutouts[colour] = surface;
    const double scale = FitScale(c.width, c.height, c.height >= 4 * c.width ? 2.0 * kMaxBox : kMaxBox);
    cells.push_back({std::string(colour) + " over " + matte, "composited", c.width * scale, c.height * scale,
                     [=](cairo_t* cr) {
                       Checkerboard(cr, c.width * scale, c.height * scale);
                       Paint(cr, surface, 0, 0, scale, false);
                     }});
  }
  if (cutouts.count("psalidi1.jpg") && cutouts.count("psalidi2.jpg")) {
    cairo_surface_t* upper = cutouts["psalidi1.jpg"];
    cairo_surface_t* lower = cutouts["psalidi2.jpg"];
    for (double open : {0.0, 0.5}) {
      cells.push_back(
          {"scissors", open > 0 ? "opened about the pivot" : "closed", 256, 256, [=](cairo_t* cr) {
             Checkerboard(cr, 256, 256);
             for (int blade = 0; blade < 2; ++blade) {
               cairo_save(cr);
               cairo_translate(cr, 128, 128);
               cairo_rotate(cr, blade ? open / 2 : -open / 2);
               cairo_set_source_surface(cr, blade ? lower : upper, -128, -128);
               cairo_paint(cr);
               cairo_restore(cr);
             }
           }});
    }
  }

  // The shape files, one cell per glyph.
  for (const auto& [name, base] : {std::pair{"f.txt", 0}, {"f2.txt", 9}, {"f3.txt", 99}, {"f4.txt", 199}}) {
    const auto bytes = ReadFileBytes((textures / name).string());
    const auto glyphs = bytes ? DecodeShapeFile(*bytes) : std::nullopt;
    if (!glyphs) {
      std::fprintf(stderr, "%s: missing or malformed\n", name);
      ++failures;
      continue;
    }
    for (size_t g = 0; g < glyphs->size(); ++g) {
      const ShapeGlyph glyph = (*glyphs)[g];
      size_t points = 0;
      for (const auto& p : glyph) points += p.xy.size() / 2;
      cells.push_back({std::string(name) + " glyph " + std::to_string(g),
                       "list " + std::to_string(base + int(g)) + ", " + std::to_string(glyph.size()) +
                           " polys, " + std::to_string(points) + " pts",
                       256, 256, [=](cairo_t* cr) { DrawGlyph(cr, glyph, 256); }});
    }
  }

  // Flow the cells into rows.
  struct Placed {
    double x, y;
  };
  std::vector<Placed> placed;
  double x = kGap, y = kGap, rowHeight = 0;
  for (const Cell& cell : cells) {
    const double width = std::max(cell.width, 150.0);
    if (x + width + kGap > kPageWidth && x > kGap) x = kGap, y += rowHeight + kLabel + kGap, rowHeight = 0;
    placed.push_back({x, y});
    x += width + kGap;
    rowHeight = std::max(rowHeight, cell.height);
  }
  const int pageHeight = int(y + rowHeight + kLabel + kGap);
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPageWidth, pageHeight);
  cairo_t* cr = cairo_create(page);
  cairo_set_source_rgb(cr, 0.22, 0.24, 0.28);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  for (size_t i = 0; i < cells.size(); ++i) {
    cairo_save(cr);
    cairo_translate(cr, placed[i].x, placed[i].y);
    cairo_rectangle(cr, 0, 0, cells[i].width, cells[i].height);
    cairo_clip(cr);
    cells[i].draw(cr);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_set_font_size(cr, 12);
    cairo_move_to(cr, placed[i].x, placed[i].y + cells[i].height + 13);
    cairo_show_text(cr, cells[i].label.c_str());
    cairo_set_source_rgb(cr, 0.7, 0.72, 0.75);
    cairo_set_font_size(cr, 10);
    cairo_move_to(cr, placed[i].x, placed[i].y + cells[i].height + 25);
    cairo_show_text(cr, cells[i].detail.c_str());
  }
  cairo_destroy(cr);
  const cairo_status_t written = cairo_surface_write_to_png(page, argv[2]);
  cairo_surface_destroy(page);
  for (auto& [name, surface] : surfaces) cairo_surface_destroy(surface);
  for (auto& [name, surface] : cutouts) cairo_surface_destroy(surface);
  if (written != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%zu cells, %d failure(s), %s\n", cells.size(), failures, argv[2]);
  return failures ? 1 : 0;
}
