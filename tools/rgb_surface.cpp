#include "tools/rgb_surface.h"

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
