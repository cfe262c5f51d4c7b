// Reads the rehearsal overlay's text back from a window dump (xwd -id WINDOW), one line per overlay line,
// with the overlay's own glyph table: the end-to-end test checks what the overlay says at a known instant.
//   read_overlay WINDOW.xwd
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/bitmap_text.h"
#include "show/rehearsal.h"

namespace {

constexpr size_t kHeaderWords = 25;
constexpr int kLongestLine = 60;

struct WindowDump {
  int width = 0, height = 0;     // of the part on the screen
  int windowHeight = 0;          // of the whole window, which sets the overlay's scale
  std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
};

uint32_t BigEndian(const std::vector<unsigned char>& bytes, size_t at) {
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

// A 24-bit TrueColor dump at 32 bits a pixel, as Xvfb's default visual gives.
bool ReadDump(const char* path, WindowDump& dump) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
  if (bytes.size() < kHeaderWords * 4) return false;
  uint32_t header[kHeaderWords];
  for (size_t i = 0; i < kHeaderWords; ++i) header[i] = BigEndian(bytes, 4 * i);
  const uint32_t headerSize = header[0], width = header[4], height = header[5], byteOrder = header[7];
  const uint32_t bitsPerPixel = header[11], bytesPerLine = header[12], colours = header[19];
  const uint32_t windowHeight = header[21];
  const size_t start = size_t(headerSize) + size_t(colours) * 12;
  if (bitsPerPixel != 32 || width == 0 || height == 0 || width > 16384 || height > 16384 ||
      bytesPerLine < width * 4 || start + size_t(bytesPerLine) * height > bytes.size()) {
    return false;
  }
  dump.width = int(width);
  dump.height = int(height);
  dump.windowHeight = int(std::min<uint32_t>(windowHeight, 16384));
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const size_t at = start + size_t(y) * bytesPerLine + size_t(x) * 4;
      dump.pixels.push_back(byteOrder == 0 ? uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 |
                                                 uint32_t(bytes[at + 2]) << 16
                                           : BigEndian(bytes, at) & 0xFFFFFF);
    }
  }
  return true;
}

bool Lit(const WindowDump& dump, int x, int y) {
  if (x < 0 || y < 0 || x >= dump.width || y >= dump.height) return false;
  return (dump.pixels[size_t(y) * size_t(dump.width) + size_t(x)] >> 8 & 0xFF) > 128;
}

// The character whose glyph the cell at (left, top) shows: ' ' for an empty cell, '?' for no glyph at all.
char ReadCell(const WindowDump& dump, int left, int top, int scale) {
  std::array<uint8_t, kGlyphHeight> rows{};
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int column = 0; column < kGlyphWidth; ++column) {
      if (Lit(dump, left + column * scale + scale / 2, top + row * scale + scale / 2))
        rows[size_t(row)] |= uint8_t(0b10000 >> column);
    }
  }
  if (rows == std::array<uint8_t, kGlyphHeight>{}) return ' ';
  for (char c : std::string("0123456789.:-ACDEFHKLOPRSUW")) {
    if (GlyphRows(c) == rows) return c;
  }
  return '?';
}

}  // namespace

int main(int argc, char** argv) {
  WindowDump dump;
  if (argc != 2 || !ReadDump(argv[1], dump)) {
    std::fprintf(stderr, "read_overlay: give one readable 32-bit window dump (xwd)\n");
    return 2;
  }
  const int scale = OverlayScale(dump.windowHeight);
  const int left = (kOverlayInset + kTextMargin) * scale;
  for (int line = 0;; ++line) {
    const int top = (kOverlayInset + kTextMargin + line * kLineAdvance) * scale;
    std::string text;
    for (int i = 0; i < kLongestLine; ++i)
      text += ReadCell(dump, left + i * kGlyphAdvance * scale, top, scale);
    text = text.substr(0, text.find('?'));
    text.erase(text.find_last_not_of(' ') + 1);
    if (text.empty()) return 0;
    std::printf("%s\n", text.c_str());
  }
}
