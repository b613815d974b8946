// The font generator: its glyph data, its image and the files it wrote into data/.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tools/fontgen/FontWriter.h"
#include "tools/fontgen/Glyphs.h"

namespace {

const std::string kDataDir = QUORLITH_DATA_DIR;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ShippedFont, DataFilesAreWhatTheGeneratorWrites) {
    const FontGen::Layout layout;
    std::vector<unsigned char> rgba;
    std::string error;
    ASSERT_TRUE(FontGen::buildImage(layout, rgba, error)) << error;
    EXPECT_EQ(readFile(kDataDir + "/" + FontGen::kGlyphImageName),
              FontGen::encodeTGA(layout.imageWidth, layout.imageHeight, rgba))
        << "run quorlith-fontgen data";
    EXPECT_EQ(readFile(kDataDir + "/" + FontGen::kFontConfigName), FontGen::buildConfig(layout))
        << "run quorlith-fontgen data";
}

TEST(FontGenerator, EveryGlyphRowIsFiveColumnsOfHashOrDot) {
    for (const auto& glyph : FontGen::glyphs()) {
        for (const char* row : glyph.rows) {
            ASSERT_NE(row, nullptr) << "glyph " << int(glyph.code);
            ASSERT_EQ(std::string(row).size(), size_t(FontGen::kGlyphCols))
                << "glyph " << int(glyph.code);
            EXPECT_EQ(std::string(row).find_first_not_of("#."), std::string::npos)
                << "glyph " << int(glyph.code);
        }
    }
}

TEST(FontGenerator, PutsGlyphPixelsWhereTheSheetCutsTheirCells) {
    FontGen::Layout layout;
    std::vector<unsigned char> rgba;
    std::string error;
    ASSERT_TRUE(FontGen::buildImage(layout, rgba, error));
    // 'A' (code 0x41, cell 33) has its apex pixel at glyph row 0, column 2: the top
    // texel row of its cell.
    const int cell = 0x41 - 0x20;
    const int x = (cell % layout.columns()) * 7 + 2;
    const int y = (cell / layout.columns()) * 11 + layout.cellHeight - 1;
    EXPECT_EQ(rgba[(y * layout.imageWidth + x) * 4 + 3], 255);
    EXPECT_EQ(rgba[(y * layout.imageWidth + x - 2) * 4 + 3], 0);          // row 0 of 'A' is ".###."
    EXPECT_EQ(rgba[((y - 3) * layout.imageWidth + x - 2) * 4 + 3], 255);  // row 3 is "#####"

    layout.imageWidth = 16;  // room for 2 x 11 cells only
    EXPECT_FALSE(FontGen::buildImage(layout, rgba, error));
}

TEST(FontGenerator, WritesAFileTheTgaHeaderDescribes) {
    const std::vector<unsigned char> rgba = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::string file = FontGen::encodeTGA(2, 1, rgba);
    ASSERT_EQ(file.size(), 18u + 8u);
    EXPECT_EQ(file[2], 2);    // uncompressed true colour
    EXPECT_EQ(file[12], 2);   // width
    EXPECT_EQ(file[14], 1);   // height
    EXPECT_EQ(file[16], 32);  // bits per pixel
    EXPECT_EQ(file[18], 3);   // blue first
    EXPECT_EQ(file[20], 1);   // red third
    EXPECT_EQ(file[21], 4);   // alpha last
}
