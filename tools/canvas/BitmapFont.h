#pragma once

#include <cstdint>
#include <string>

// A 5 x 7 pixel font for the pictures' texts: ASCII letters, digits and the
// common punctuation. Characters it lacks draw as blanks.
namespace bitmapfont {

constexpr int glyphWidth = 5;
constexpr int glyphHeight = 7;
// Advance per character, one column of space included.
constexpr int advance = glyphWidth + 1;

// Rows of the glyph, top first; bit 4 is the leftmost column.
const uint8_t* glyph(char c);
// Whether the glyph has its pixel at (column, row).
bool pixel(char c, int column, int row);
// Width in font pixels of a line of text, without a trailing space.
int textWidth(const std::string& text);

} // namespace bitmapfont
