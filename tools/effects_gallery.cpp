// velmora-effects-gallery: draws every effect renderer alone on a neutral background, one labelled cell each,
// into one PNG sheet, so that a person can see at a glance what each one looks like. An effect that draws
// nothing is named on standard error, and the exit code is then 1.
// Usage: velmora-effects-gallery [--time SECONDS] OUT.png
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "effects/band_panels.h"
#include "effects/creatures.h"
#include "effects/dials.h"
#include "effects/meanders.h"
#include "effects/pen_figures.h"
#include "effects/ribbons.h"
#include "effects/strokes.h"
#include "headless/headless_context.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "show/startup.h"
#include "state/messages.h"
#include "tools/rgb_surface.h"

namespace {

constexpr int kColumns = 5, kRows = 4, kCell = 320, kLabel = 22;
constexpr float kBackground[3] = {0.46f, 0.47f, 0.5f};

struct Entry {
  const char* name;
  std::function<void()> draw;
};

// A wavy open curve along x through 12 points one unit apart.
Curve Wave() {
  Curve curve;
  curve.closed = false;
  for (int i = 0; i < 12; ++i) curve.Append(Vec3(kVecValid, float(i), float(1.5 * std::sin(i * 0.7)), 0));
  return curve;
}

// An open spiral of 48 points about one unit apart.
Curve Coil() {
  Curve curve;
  curve.closed = false;
  for (int i = 0; i < 48; ++i) {
    const double angle = 0.25 * i, radius = 1.5 + 0.12 * i;
    curve.Append(Vec3(kVecValid, float(radius * std::cos(angle)), float(radius * std::sin(angle)), 0));
  }
  return curve;
}

// Eight horizontal bands of patterns in different tints, as the band panels expect.
void MakeBandedTexture() {
  constexpr int kSize = 256;
  std::vector<uint8_t> pixels(kSize * kSize * 3);
  for (int y = 0; y < kSize; ++y) {
    const int band = std::min(7, int(y / (0.1275 * kSize)));
    for (int x = 0; x < kSize; ++x) {
      const bool stripe = ((x / (4 + band)) + (band % 2 ? y / 6 : 0)) % 2 == 0;
      const double shade = stripe ? 0.95 : 0.55 + 0.05 * band;
      uint8_t* p = &pixels[size_t(y * kSize + x) * 3];
      p[0] = uint8_t(255 * shade);
      p[1] = uint8_t(255 * shade * (0.8 + 0.025 * band));
      p[2] = uint8_t(255 * shade * (1.0 - 0.04 * band));
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kSize, kSize, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

// The state every cell starts from: white, textured, no blending or depth test, seed fixed.
void PrepareCell() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glLineWidth(1);
  RandomSeed(12345);
}

void SetProjection(double left, double right, double bottom, double top) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(left, right, bottom, top, -10, 10);
  glMatrixMode(GL_MODELVIEW);
}

// The square in object units that holds everything `draw` produces, with a margin.
void FitView(const std::function<void()>& draw, double& cx, double& cy, double& half) {
  constexpr double kReach = 400;
  constexpr int kPixels = 8000;
  glViewport(0, 0, kPixels, kPixels);
  SetProjection(-kReach, kReach, -kReach, kReach);
  std::vector<GLfloat> buffer(1 << 22);
  glFeedbackBuffer(GLsizei(buffer.size()), GL_2D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  PrepareCell();
  draw();
  const int used = std::max(0, glRenderMode(GL_RENDER));
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (int i = 0; i < used;) {
    const int token = int(buffer[i++]);
    const bool polygon = token == GL_POLYGON_TOKEN;
    int count = polygon ? int(buffer[i++]) : token == GL_POINT_TOKEN ? 1 : 2;
    if (token == GL_PASS_THROUGH_TOKEN) count = 0, ++i;
    for (int k = 0; k < count && i + 1 < used; ++k, i += 2) {
      if (!polygon) continue;  // the dials' dash columns run far off; the view follows the surfaces
      const double x = buffer[i] * 2 * kReach / kPixels - kReach;
      const double y = buffer[i + 1] * 2 * kReach / kPixels - kReach;
      minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  if (minX > maxX) minX = maxX = minY = maxY = 0;
  cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
  half = std::max({maxX - minX, maxY - minY, 1.0}) * 0.55;
}

std::vector<Entry> Entries(double t) {
  static const Curve wave = Wave(), coil = Coil();
  const Vec3 texOffset(kVecValid, float(0.1 * t), 0, 0);
  const auto fan = [](void (*strip)(Vec3, Vec3, double)) {
    for (int i = 0; i < 5; ++i) {
      const double k = -1 + 0.5 * i, angle = std::numbers::pi * (0.1 + 0.2 * i);
      strip(Vec3(kVecValid, 0, 0, 0), Vec3(kVecValid, float(std::cos(angle)), float(std::sin(angle)), 0), k);
    }
  };
  return {
      {"DrawRibbonTextured", [=] { DrawRibbonTextured(wave, 0.5, 10.5, texOffset, 0.4, 0, 0.6, 12.0); }},
      {"DrawRibbon",
       [] {
         glDisable(GL_TEXTURE_2D);
         glColor3f(0.15f, 0.15f, 0.2f);
         DrawRibbon(wave, 0.5, 10.5, 0, 0.4, 0.5);
       }},
      {"DrawCurlStrip", [=] { glDisable(GL_TEXTURE_2D), glColor3f(0, 0, 0), fan(DrawCurlStrip); }},
      {"DrawCurlStripWide", [=] { glDisable(GL_TEXTURE_2D), glColor3f(0, 0, 0), fan(DrawCurlStripWide); }},
      {"DrawTaperedStroke", [] { DrawTaperedStroke(coil, 4); }},
      {"DrawSquareTube",
       [=] {
         glDisable(GL_TEXTURE_2D);
         glColor3f(0.9f, 0.85f, 0.6f);
         DrawSquareTube(wave, 0, 10, t, 0.3);
       }},
      {"DrawCreatureA", [=] { DrawCreatureA(coil, 20, 1, 1, 1, false); }},
      {"DrawCreatureB", [=] { DrawCreatureB(coil, 20, 1, 1, 0); }},
      {"DrawCreatureC", [=] { DrawCreatureC(coil, 20 + 0.5 * t); }},
      {"DrawDialA", [=] { DrawDialA(t, false); }},
      {"DrawDialB", [=] { DrawDialB(t, false); }},
      {"DrawEye",
       [=] {
         glColor3f(0.8f, 0.8f, 0.8f);
         glBegin(GL_QUADS);  // a light ground, so that the black lid shows
         glVertex2f(-10, -10), glVertex2f(10, -10), glVertex2f(10, 10), glVertex2f(-10, 10);
         glEnd();
         DrawEye(t + 0.5);
       }},
      {"DrawMeanderA", [=] { DrawMeanderA(t, false); }},
      {"DrawMeanderB", [=] { DrawMeanderB(t, true); }},
      {"DrawMeanderC", [=] { DrawMeanderC(t); }},
      {"DrawSpiralFigure",
       [=] {
         glColor3f(0.85f, 0.85f, 0.8f);
         DrawSpiralFigure(t + 80);
       }},
      {"DrawGlyphFigure", [=] { DrawGlyphFigure(t, 1.0); }},
      {"DrawBandQuad", [] { DrawBandQuad(3); }},
      {"DrawBandStack", [] { DrawBandStack(4); }},
      {"DrawNoiseQuad", [] { DrawNoiseQuad(4, 0.5); }},
  };
}

// Whether the cell at (x, top row yTop) of the picture shows anything besides its background.
bool CellShowsSomething(const std::vector<uint8_t>& rgb, int width, int x, int yTop) {
  for (int y = yTop + 4; y < yTop + kCell - 4; ++y) {
    for (int column = x + 4; column < x + kCell - 4; ++column) {
      const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(column)) * 3];
      for (int c = 0; c < 3; ++c) {
        if (std::abs(p[c] - int(kBackground[c] * 255 + 0.5f)) > 8) return true;
      }
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  double t = 2.0;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    char* end = nullptr;
    if (argument == "--time" && i + 1 < argc) {
      t = std::strtod(argv[++i], &end);
      if (*end || !std::isfinite(t)) output.clear(), i = argc;
    } else if (output.empty() && argument.rfind("--", 0) != 0) {
      output = argument;
    } else {
      output.clear();
      break;
    }
  }
  if (output.empty()) {
    std::fprintf(stderr, "usage: velmora-effects-gallery [--time SECONDS] OUT.png\n");
    return 2;
  }
  std::string error;
  // Kept until the process ends: destroying it would unload the driver before the leak checker names the
  // driver's own lifetime allocations.
  static const HeadlessContext* context = HeadlessContext::Create(error).release();
  if (!context) {
    std::fprintf(stderr, "velmora-effects-gallery: no headless OpenGL: %s\n", error.c_str());
    return 1;
  }
  const int width = kColumns * kCell, height = kRows * (kCell + kLabel);
  StderrMessageSink messages;
  OffscreenTarget target;
  if (!CreateShowTarget(target, width, height, messages)) return 1;
  MakeBandedTexture();

  const std::vector<Entry> entries = Entries(t);
  std::vector<std::pair<double, double>> labels;
  MakeOffscreenTargetCurrent(target);
  glClearColor(0.2f, 0.2f, 0.22f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  for (size_t i = 0; i < entries.size(); ++i) {
    double cx, cy, half;
    FitView(entries[i].draw, cx, cy, half);
    const int x = int(i % kColumns) * kCell, yTop = int(i / kColumns) * (kCell + kLabel);
    const int y = height - yTop - kCell;
    glEnable(GL_SCISSOR_TEST);
    glScissor(x + 2, y + 2, kCell - 4, kCell - 4);
    glClearColor(kBackground[0], kBackground[1], kBackground[2], 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glViewport(x + 2, y + 2, kCell - 4, kCell - 4);
    SetProjection(cx - half, cx + half, cy - half, cy + half);
    PrepareCell();
    entries[i].draw();
    glDisable(GL_SCISSOR_TEST);
    labels.push_back({x + 8.0, yTop + kCell + 16.0});
  }

  const std::vector<uint8_t> pixels = ReadOffscreenPixels(target);
  int empty = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (CellShowsSomething(pixels, width, int(i % kColumns) * kCell, int(i / kColumns) * (kCell + kLabel)))
      continue;
    std::fprintf(stderr, "velmora-effects-gallery: %s drew nothing\n", entries[i].name);
    ++empty;
  }

  cairo_surface_t* sheet = SurfaceFromRgb(pixels, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 14);
  cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
  for (size_t i = 0; i < entries.size(); ++i) {
    cairo_move_to(cr, labels[i].first, labels[i].second);
    cairo_show_text(cr, entries[i].name);
  }
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(sheet, output.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(sheet);
  ReleaseOffscreenTarget(target);
  if (!written) {
    std::fprintf(stderr, "velmora-effects-gallery: cannot write %s\n", output.c_str());
    return 1;
  }
  return empty ? 1 : 0;
}
