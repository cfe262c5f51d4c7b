#include "render/bitmap_text.h"

#include <algorithm>

#include "render/gl_api.h"
#include "render/overlay.h"

namespace {

struct Glyph {
  char c;
  std::array<uint8_t, kGlyphHeight> rows;
};

constexpr Glyph kGlyphs[] = {
    {'0', {0b01110, 0b10001, 0b10011, 0b10101, 0b11001, 0b10001, 0b01110}},
    {'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'2', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'3', {0b11111, 0b00010, 0b00100, 0b00010, 0b00001, 0b10001, 0b01110}},
    {'4', {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}},
    {'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'6', {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110}},
    {'7', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000}},
    {'8', {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}},
    {'9', {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b01100}},
    {':', {0b00000, 0b01100, 0b01100, 0b00000, 0b01100, 0b01100, 0b00000}},
    {'-', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}},
    {'A', {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'C', {0b01110, 0b10001, 0b10000, 0b10000, 0b10000, 0b10001, 0b01110}},
    {'D', {0b11110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b11110}},
    {'E', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111}},
    {'F', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'H', {0b10001, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'K', {0b10001, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010, 0b10001}},
    {'L', {0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b11111}},
    {'O', {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'P', {0b11110, 0b10001, 0b10001, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'R', {0b11110, 0b10001, 0b10001, 0b11110, 0b10100, 0b10010, 0b10001}},
    {'S', {0b01111, 0b10000, 0b10000, 0b01110, 0b00001, 0b00001, 0b11110}},
    {'U', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'W', {0b10001, 0b10001, 0b10001, 0b10101, 0b10101, 0b10101, 0b01010}},
};

// A rectangle given in pixels from the top-left corner, as normalised device coordinates.
void PixelRect(double x, double y, double w, double h, int width, int height) {
  const auto ndcX = [width](double px) { return float(2.0 * px / width - 1.0); };
  const auto ndcY = [height](double py) { return float(1.0 - 2.0 * py / height); };
  glVertex2f(ndcX(x), ndcY(y + h));
  glVertex2f(ndcX(x + w), ndcY(y + h));
  glVertex2f(ndcX(x + w), ndcY(y));
  glVertex2f(ndcX(x), ndcY(y));
}

}  // namespace

std::optional<std::array<uint8_t, kGlyphHeight>> GlyphRows(char c) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.c == c) return glyph.rows;
  }
  return std::nullopt;
}

void DrawTextLines(const std::vector<std::string>& lines, int left, int top, int scale, int width,
                   int height) {
  size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, line.size());
  const int boxWidth = (int(longest) * kGlyphAdvance - 1 + 2 * kTextMargin) * scale;
  const int boxHeight =
      (int(lines.size()) * kLineAdvance - (kLineAdvance - kGlyphHeight) + 2 * kTextMargin) * scale;

  BeginOverlay();
  glViewport(0, 0, width, height);
  glBegin(GL_QUADS);
  glColor4f(0, 0, 0, 1);
  PixelRect(left, top, boxWidth, boxHeight, width, height);
  glColor4f(1, 1, 1, 1);
  for (size_t line = 0; line < lines.size(); ++line) {
    const int lineTop = top + (kTextMargin + int(line) * kLineAdvance) * scale;
    for (size_t i = 0; i < lines[line].size(); ++i) {
      const auto rows = GlyphRows(lines[line][i]);
      if (!rows) continue;
      const int glyphLeft = left + (kTextMargin + int(i) * kGlyphAdvance) * scale;
      for (int row = 0; row < kGlyphHeight; ++row) {
        for (int column = 0; column < kGlyphWidth; ++column) {
          if ((*rows)[size_t(row)] & (0b10000 >> column))
            PixelRect(glyphLeft + column * scale, lineTop + row * scale, scale, scale, width, height);
        }
      }
    }
  }
  glEnd();
  EndOverlay();
}
