#pragma once

#include <string>
#include <vector>

namespace FontGen {

// Where the glyphs go in the image. A cell is the drawn glyph plus one clear column
// and one clear row; cells are separated by `border` texels and numbered row by row
// from the bottom left of the image, the way the sprite sheet cuts a grid.
struct Layout {
    int cellWidth = 6;
    int cellHeight = 10;
    int border = 1;
    int imageWidth = 128;
    int imageHeight = 128;

    int columns() const { return (imageWidth - (cellWidth + border)) / (cellWidth + border) + 1; }
    int rows() const { return (imageHeight - (cellHeight + border)) / (cellHeight + border) + 1; }
};

// File names the generator writes; the option words keep the glyphs sharp (nearest
// filtering, no mipmaps, no compression).
extern const char* const kFontConfigName;  // "quorfont.cfg"
extern const char* const kGlyphImageName;  // "quorfont.NEAR.NMIP.NCMP.tga"

// RGBA pixels of the glyph image, bottom row first: glyph pixels opaque white, the
// rest transparent black. False (and an error text) when the glyphs do not fit.
bool buildImage(const Layout& layout, std::vector<unsigned char>& rgba, std::string& error);

// An uncompressed 32-bit TGA file (bottom-left origin) of the given RGBA pixels.
std::string encodeTGA(int width, int height, const std::vector<unsigned char>& rgba);

// The font configuration file: sizes, image name, one "GLF_<hex code>" frame per glyph
// and the character mappings (letters and digits literally, everything else by its
// hexadecimal code).
std::string buildConfig(const Layout& layout);

// Writes both files into folder; false with an error text when that fails.
bool writeFont(const std::string& folder, std::string& error);

}  // namespace FontGen
