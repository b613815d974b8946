#include "FontWriter.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Glyphs.h"

namespace FontGen {

const char* const kFontConfigName = "quorfont.cfg";
const char* const kGlyphImageName = "quorfont.NEAR.NMIP.NCMP.tga";

namespace {

constexpr int kBytesPerPixel = 4;
constexpr int kTgaHeaderSize = 18;
constexpr unsigned char kTgaUncompressedTrueColor = 2;
constexpr unsigned char kTgaAlphaBits = 8;  // descriptor: 8 alpha bits, bottom-left origin
constexpr int kMappingsPerLine = 8;

std::string hexCode(unsigned char code) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", code);
    return text;
}

// The frame index of glyph number i is i itself: glyphs are laid out in the sheet's
// own order, row by row from the bottom left.
void drawGlyph(const Layout& layout, const Glyph& glyph, int index,
               std::vector<unsigned char>& rgba) {
    const int stepX = layout.cellWidth + layout.border;
    const int stepY = layout.cellHeight + layout.border;
    const int cellX = (index % layout.columns()) * stepX;
    const int cellY = (index / layout.columns()) * stepY;
    for (int row = 0; row < kGlyphRows; ++row) {
        const char* pixels = glyph.rows[row];
        if (!pixels) {
            continue;
        }
        // Glyph row 0 is the top of the cell, the highest texel row of it.
        const int texelY = cellY + layout.cellHeight - 1 - row;
        for (int col = 0; col < kGlyphCols && pixels[col]; ++col) {
            if (pixels[col] != '#') {
                continue;
            }
            const size_t at =
                (static_cast<size_t>(texelY) * layout.imageWidth + cellX + col) * kBytesPerPixel;
            for (int channel = 0; channel < kBytesPerPixel; ++channel) {
                rgba[at + channel] = 255;
            }
        }
    }
}

// A literal character is safe in the mapping list only when the list syntax cannot
// take it for something else (",", "=>", ":", blanks, "#" and quotes can).
bool mapLiterally(unsigned char code) {
    return std::isalnum(code) != 0;
}

}  // namespace

bool buildImage(const Layout& layout, std::vector<unsigned char>& rgba, std::string& error) {
    const auto& all = glyphs();
    if (layout.cellWidth < kGlyphCols || layout.cellHeight < kGlyphRows) {
        error = "cells are smaller than the glyphs";
        return false;
    }
    if (static_cast<int>(all.size()) > layout.columns() * layout.rows()) {
        error = "the image has room for fewer cells than there are glyphs";
        return false;
    }
    rgba.assign(static_cast<size_t>(layout.imageWidth) * layout.imageHeight * kBytesPerPixel, 0);
    for (size_t i = 0; i < all.size(); ++i) {
        drawGlyph(layout, all[i], static_cast<int>(i), rgba);
    }
    return true;
}

std::string encodeTGA(int width, int height, const std::vector<unsigned char>& rgba) {
    std::string file(kTgaHeaderSize, '\0');
    file[2] = static_cast<char>(kTgaUncompressedTrueColor);
    file[12] = static_cast<char>(width & 0xFF);
    file[13] = static_cast<char>((width >> 8) & 0xFF);
    file[14] = static_cast<char>(height & 0xFF);
    file[15] = static_cast<char>((height >> 8) & 0xFF);
    file[16] = 32;
    file[17] = static_cast<char>(kTgaAlphaBits);
    // TGA stores blue, green, red, alpha.
    for (size_t at = 0; at + 3 < rgba.size(); at += kBytesPerPixel) {
        file += static_cast<char>(rgba[at + 2]);
        file += static_cast<char>(rgba[at + 1]);
        file += static_cast<char>(rgba[at]);
        file += static_cast<char>(rgba[at + 3]);
    }
    return file;
}

std::string buildConfig(const Layout& layout) {
    const auto& all = glyphs();
    std::ostringstream out;
    out << "# The Quorlith bitmap font, written by quorlith-fontgen (tools/fontgen).\n"
        << "# Change the glyphs in tools/fontgen/Glyphs.cpp and run the tool again rather than\n"
        << "# editing this file or the image by hand.\n"
        << "GLYPHS_IMAGE == " << kGlyphImageName << "\n"
        << "# Size of one glyph cell in texels (also the advance and the line height).\n"
        << "GLYPH_WIDTH == " << layout.cellWidth << "\n"
        << "GLYPH_HEIGHT == " << layout.cellHeight << "\n"
        << "# Texels between the cells of the image.\n"
        << "GLYPH_BORDER == " << layout.border << "\n"
        << "# Extra space after each character and between lines. The column gap comes from\n"
        << "# TEXT_COL_GAP of the main configuration, which lists it in GLOBAL_KEYS.\n"
        << "GLYPH_COL_GAP == ::TEXT_COL_GAP::\n"
        << "GLYPH_ROW_GAP == 2\n"
        << "# Used only when the game asks for scale 0.\n"
        << "FONT_SCALE == 1\n"
        << "# One frame of the glyph image per character, named by its hexadecimal code.\n";
    for (size_t i = 0; i < all.size(); ++i) {
        out << "GLF_" << hexCode(all[i].code) << " == " << i << "\n";
    }
    out << "# character => frame. Letters and digits stand for themselves; every other\n"
        << "# character is written as its hexadecimal code (2C is the comma).\n"
        << "GLYPH_MAPPINGS == \"";
    for (size_t i = 0; i < all.size(); ++i) {
        const unsigned char code = all[i].code;
        if (i > 0) {
            out << (i % kMappingsPerLine == 0 ? ",\n    " : ", ");
        }
        if (mapLiterally(code)) {
            out << static_cast<char>(code);
        } else {
            out << hexCode(code);
        }
        out << "=>GLF_" << hexCode(code);
    }
    out << "\"\n";
    return out.str();
}

bool writeFont(const std::string& folder, std::string& error) {
    const Layout layout;
    std::vector<unsigned char> rgba;
    if (!buildImage(layout, rgba, error)) {
        return false;
    }
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    std::ofstream image(prefix + kGlyphImageName, std::ios::binary);
    image << encodeTGA(layout.imageWidth, layout.imageHeight, rgba);
    std::ofstream config(prefix + kFontConfigName, std::ios::binary);
    config << buildConfig(layout);
    image.close();
    config.close();
    if (!image || !config) {
        error = "cannot write the font files into '" + folder + "'";
        return false;
    }
    return true;
}

}  // namespace FontGen
