#include "tools/assets/paint.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

uint8_t ToByte(double v) {
  return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  Fill(kBlack);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Fill(Rgb colour) {
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  SetColour(cr_, colour);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void Canvas::Clear() {
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void Canvas::Shade(const std::function<Rgb(int, int, Rgb)>& shade) {
  cairo_surface_flush(surface_);
  uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width_; ++x) {
      // Shaded canvases are opaque, so the premultiplied channels are the colour itself.
      const uint32_t p = row[x];
      const Rgb in{((p >> 16) & 255) / 255.0, ((p >> 8) & 255) / 255.0, (p & 255) / 255.0};
      const Rgb out = shade(x, y, in);
      row[x] = 0xFF000000u | uint32_t(ToByte(out.r)) << 16 | uint32_t(ToByte(out.g)) << 8 | ToByte(out.b);
    }
  }
  cairo_surface_mark_dirty(surface_);
}

void Canvas::Paper(uint64_t seed, Rgb tint, double grain) {
  const PeriodicNoise cloud(seed, 4), fine(seed + 1, 32);
  Shade([&](int x, int y, Rgb) {
    const double u = double(x) / width_, v = double(y) / height_;
    const double c = cloud.Fractal(u, v, 3) - 0.5;
    const double f = fine.Fractal(u, v, 2) - 0.5;
    const double k = 1.0 + grain * (0.35 * c + 0.25 * f);
    return Rgb{tint.r * k, tint.g * k, tint.b * k};
  });
  // Fibres: short pale and dark hairs laid in with wrapping so the sheet still tiles.
  Lcg rng(seed * 31 + 7);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  const int fibres = width_ * height_ / 900;
  for (int i = 0; i < fibres; ++i) {
    const double x = rng.Range(0, width_), y = rng.Range(0, height_);
    const double a = rng.Range(0, 2 * kPi), len = rng.Range(3, 12), bend = rng.Range(-3, 3);
    const bool dark = rng.Uniform() < 0.45;
    const double alpha = grain * rng.Range(0.08, 0.22);
    Wrapped(cr_, width_, height_, [&] {
      cairo_move_to(cr_, x, y);
      cairo_curve_to(cr_, x + std::cos(a) * len * 0.3 - std::sin(a) * bend,
                     y + std::sin(a) * len * 0.3 + std::cos(a) * bend, x + std::cos(a) * len * 0.7,
                     y + std::sin(a) * len * 0.7, x + std::cos(a) * len, y + std::sin(a) * len);
    });
    SetColour(cr_, dark ? Mix(tint, kInk, 0.5) : kWhite, alpha);
    cairo_set_line_width(cr_, rng.Range(0.5, 1.1));
    cairo_stroke(cr_);
  }
}

Image Canvas::ToImage() const {
  cairo_surface_flush(surface_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  Image image{width_, height_, std::vector<uint8_t>(size_t(width_) * height_ * 3)};
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const uint32_t p = row[x], a = p >> 24;
      uint8_t* out = image.At(x, y);
      for (int c = 0; c < 3; ++c) {
        const uint32_t v = (p >> (16 - 8 * c)) & 255;
        out[c] = a == 255 ? uint8_t(v) : a == 0 ? 0 : uint8_t(std::min<uint32_t>(255, (v * 255 + a / 2) / a));
      }
    }
  }
  return image;
}

Image Canvas::AlphaImage() const {
  cairo_surface_flush(surface_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  Image image{width_, height_, std::vector<uint8_t>(size_t(width_) * height_ * 3)};
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width_; ++x) {
      uint8_t* out = image.At(x, y);
      out[0] = out[1] = out[2] = uint8_t(row[x] >> 24);
    }
  }
  return image;
}

void SetColour(cairo_t* cr, Rgb colour, double alpha) {
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void Wrapped(cairo_t* cr, double width, double height, const std::function<void()>& draw) {
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      cairo_save(cr);
      cairo_translate(cr, i * width, j * height);
      draw();
      cairo_restore(cr);
    }
  }
}

void SmoothClosedPath(cairo_t* cr, const std::vector<double>& xy) {
  const size_t n = xy.size() / 2;
  auto px = [&](size_t i) { return xy[2 * (i % n)]; };
  auto py = [&](size_t i) { return xy[2 * (i % n) + 1]; };
  cairo_move_to(cr, px(0), py(0));
  for (size_t i = 0; i < n; ++i) {
    const size_t prev = i + n - 1, next = i + 1, after = i + 2;
    cairo_curve_to(cr, px(i) + (px(next) - px(prev)) / 6, py(i) + (py(next) - py(prev)) / 6,
                   px(next) - (px(after) - px(i)) / 6, py(next) - (py(after) - py(i)) / 6, px(next),
                   py(next));
  }
  cairo_close_path(cr);
}

PeriodicNoise::PeriodicNoise(uint64_t seed, int period) : period_(period) {
  Lcg rng(seed);
  values_.resize(size_t(period) * period * 8 * 8 * 4);
  for (double& v : values_) v = rng.Uniform();
}

double PeriodicNoise::Lattice(int i, int j, int octave) const {
  const int p = period_ << octave;
  i = ((i % p) + p) % p, j = ((j % p) + p) % p;
  // Each octave has its own table slice; large octaves reuse the slice modulo its size.
  const size_t slice = size_t(period_) * period_ * 64;
  return values_[(octave % 4) * slice + (size_t(j) * p + i) % slice];
}

double PeriodicNoise::At(double u, double v) const {
  const double x = u * period_, y = v * period_;
  const int i = int(std::floor(x)), j = int(std::floor(y));
  double fx = x - i, fy = y - j;
  fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
  const double a = Lattice(i, j, 0), b = Lattice(i + 1, j, 0);
  const double c = Lattice(i, j + 1, 0), d = Lattice(i + 1, j + 1, 0);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double PeriodicNoise::Fractal(double u, double v, int octaves) const {
  double sum = 0, weight = 0, amplitude = 1;
  for (int o = 0; o < octaves; ++o) {
    const int p = period_ << o;
    const double x = u * p, y = v * p;
    const int i = int(std::floor(x)), j = int(std::floor(y));
    double fx = x - i, fy = y - j;
    fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
    const double a = Lattice(i, j, o), b = Lattice(i + 1, j, o);
    const double c = Lattice(i, j + 1, o), d = Lattice(i + 1, j + 1, o);
    sum += amplitude * ((a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy);
    weight += amplitude;
    amplitude *= 0.5;
  }
  return sum / weight;
}

}  // namespace assets
