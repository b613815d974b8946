#pragma once

#include <string>

namespace E2E {

struct Image;

// How the game places text: the font's scale and column gap, and its cell size.
struct TextLayout {
    float fontScale = 1.0f;
    float colGap = 0.0f;
    int cellWidth = 6;
    int cellHeight = 10;
};

// The fraction (0 ... 1) of the glyph texels of `text` that the image shows as the
// font draws them, for the text centred on (x, y) (window pixels, y up) at text scale
// k the way the main view centres its info text.
double textMatch(const Image& image, const std::string& text, float x, float y, float k,
                 const TextLayout& layout);

// Reads a number (digits and '.') centred on (x, y) at scale k: the longest text whose
// glyphs all match cleanly; empty when no length gives a clean reading.
std::string readNumber(const Image& image, float x, float y, float k, const TextLayout& layout);

}  // namespace E2E
