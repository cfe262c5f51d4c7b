#include "tools/png_file.h"

cairo_surface_t* SurfaceFromRgb(std::span<const uint8_t> rgb, int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
      row[x] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

bool WritePng(const std::string& path, std::span<const uint8_t> rgb, int width, int height) {
  cairo_surface_t* surface = SurfaceFromRgb(rgb, width, height);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

bool ReadPng(const std::string& path, std::vector<uint8_t>& rgb, int& width, int& height) {
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
                  cairo_image_surface_get_format(surface) != CAIRO_FORMAT_INVALID;
  if (ok) {
    cairo_surface_flush(surface);
    width = cairo_image_surface_get_width(surface);
    height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    rgb.resize(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
      for (int x = 0; x < width; ++x) {
        uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        p[0] = uint8_t(row[x] >> 16), p[1] = uint8_t(row[x] >> 8), p[2] = uint8_t(row[x]);
      }
    }
  }
  cairo_surface_destroy(surface);
  return ok;
}
