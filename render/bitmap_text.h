// Lines of text drawn with a small bitmap font of our own (5 x 7 cells: digits, capitals, '.', ':', '-'),
// each lit cell a square of `scale` pixels, white on an opaque black box: the rehearsal overlay. Plain enough
// that a test can read the text back from a screenshot with the same glyph table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;  // one empty column between glyphs
constexpr int kLineAdvance = kGlyphHeight + 3;
constexpr int kTextMargin = 2;  // the box's border around the text, in cells

// The rows of a character's glyph, top first, bit 4 the left column; nothing for a character the font
// lacks (drawn as a space).
std::optional<std::array<uint8_t, kGlyphHeight>> GlyphRows(char c);

// Draws the lines into the current framebuffer, whose size is width x height pixels, with the box's top-left
// corner at (left, top) pixels from the top-left corner. Leaves all GL state as found.
void DrawTextLines(const std::vector<std::string>& lines, int left, int top, int scale, int width,
                   int height);
