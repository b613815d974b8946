#pragma once

#include <vector>

namespace FontGen {

// Drawn pixels of one glyph: kGlyphRows rows of kGlyphCols characters, '#' for a set
// pixel and '.' for a clear one, top row first. Rows 0-6 hold capitals and digits,
// rows 2-6 the body of lower-case letters, rows 7-8 descenders. Rows left null are clear.
constexpr int kGlyphCols = 5;
constexpr int kGlyphRows = 9;

struct Glyph {
    unsigned char code;  // the character's byte value
    const char* rows[kGlyphRows];
};

// Every glyph of the font, printable ASCII from the blank (0x20) to '~' (0x7E), in
// code order.
const std::vector<Glyph>& glyphs();

}  // namespace FontGen
