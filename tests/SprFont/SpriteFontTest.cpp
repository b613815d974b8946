#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "CFG/Global.h"
#include "CFG/Info.h"

#include "MatSys/TextureStore.h"
#include "SprFont/SpriteFont.h"
#include "SprFont/SpriteFontRenderer.h"
#include "SprSys/AnimFrame.h"
#include "SprSys/SpriteRender.h"
#include "SprSys/SpriteSheet.h"
#include "support/FakeTexture.h"
#include "support/RecordingVertexArray.h"
#include "support/TempDir.h"

using SprFont::SpriteFont;
using SprFont::SpriteFontRenderer;
using SprSys::Spatial2D;
using TestSupport::RecordingVertexArray;

namespace {

constexpr int kQuad = SprSys::SpriteRender::kBytesPerQuad;

// A font of 8 x 10 cells in a 64 x 64 image (8 x 6 cells with border 0), with frames
// GLF_A (cell 1), GLF_B (cell 2), GLF_Q (cell 3), GLF_DOT (cell 4), GLF_COMMA (cell 5).
std::string fontFile(const std::string& mappings, const std::string& extra = "") {
    return "GLYPHS_IMAGE == glyphs.tga\n"
           "GLYPH_WIDTH == 8\nGLYPH_HEIGHT == 10\nGLYPH_BORDER == 0\n"
           "GLYPH_COL_GAP == 1\nGLYPH_ROW_GAP == 2\n"
           "GLF_A == 1\nGLF_B == 2\nGLF_Q == 3\nGLF_DOT == 4\nGLF_COMMA == 5\n" +
           extra + "GLYPH_MAPPINGS == " + mappings + "\n";
}

struct FontFixture : ::testing::Test {
    TestSupport::TempDir dir;
    TestSupport::FakeTextureMaker maker{64, 64};
    MatSys::TextureStore textures{&maker};

    SpriteFont load(const std::string& content, float scale = 1.0f) {
        return SpriteFont(&textures, dir.write("font.cfg", content), scale);
    }
};

// Centre of glyph quad number q in the array: the middle of its first and third corner.
float centreX(const RecordingVertexArray& array, int q) {
    return (array.at(q * 4, 0) + array.at(q * 4 + 2, 0)) / 2;
}
float centreY(const RecordingVertexArray& array, int q) {
    return (array.at(q * 4, 1) + array.at(q * 4 + 2, 1)) / 2;
}

}  // namespace

TEST_F(FontFixture, LaysOutLinesLeftToRightAndDownwards) {
    SpriteFont font = load(fontFile("A=>GLF_A, B=>GLF_B, Q=>GLF_Q"));
    RecordingVertexArray array(8 * kQuad);
    SpriteFontRenderer renderer(&font, &array, 0);
    Spatial2D start;
    start.y = 100;
    const Spatial2D end =
        renderer.addText("AB\nQ", start, nullptr, 1.0f, SpriteFontRenderer::getDefaultMover());

    ASSERT_EQ(renderer.getBytesWritten(), 3 * kQuad);  // the line feed has no frames
    EXPECT_FLOAT_EQ(centreX(array, 0), 0.0f);
    EXPECT_FLOAT_EQ(centreY(array, 0), 100.0f);
    EXPECT_FLOAT_EQ(centreX(array, 1), 9.0f);   // advance 8 + column gap 1
    EXPECT_FLOAT_EQ(centreX(array, 2), 0.0f);   // Q on the next line ...
    EXPECT_FLOAT_EQ(centreY(array, 2), 88.0f);  // ... 10 + 2 lower
    EXPECT_FLOAT_EQ(end.x, 9.0f);
    EXPECT_FLOAT_EQ(end.y, 88.0f);
    // Glyph quads have the cell's size and the cell's texture coordinates.
    EXPECT_FLOAT_EQ(array.at(0, 0), -4.0f);
    EXPECT_FLOAT_EQ(array.at(0, 1), 105.0f);
    EXPECT_FLOAT_EQ(array.at(0, 3), 8.0f / 64);  // cell 1 starts at texel 8
}

TEST_F(FontFixture, ScalesAdvancesAndQuadsByFontScaleTimesTextScale) {
    SpriteFont font = load(fontFile("A=>GLF_A, B=>GLF_B"), 2.0f);
    RecordingVertexArray array(8 * kQuad);
    SpriteFontRenderer renderer(&font, &array, 0);
    const Spatial2D end =
        renderer.addText("AB", Spatial2D(), nullptr, 1.5f, SpriteFontRenderer::getDefaultMover());
    EXPECT_FLOAT_EQ(end.x, 2 * 9.0f * 3.0f);
    EXPECT_FLOAT_EQ(array.at(0, 0), -12.0f);  // half of 8 texels, times 3
}

TEST_F(FontFixture, AdvanceComesFromTheMappingOrTheGlyphWidth) {
    SpriteFont font = load(fontFile("A=>GLF_A:5, B=>GLF_B, Q=>GLF_Q:"));
    EXPECT_EQ(font.getWidth('A'), 5);
    EXPECT_EQ(font.getWidth('B'), 8);
    EXPECT_EQ(font.getWidth('Q'), 0);  // an empty advance reads as 0
    EXPECT_EQ(font.getWidth('Z'), 8);  // unmapped characters keep the glyph width
    EXPECT_EQ(font.getAnimFrames('A').at(0)->frame, 1);
    EXPECT_TRUE(font.getAnimFrames('Z').empty());
}

TEST_F(FontFixture, SeveralEntriesForOneCharacterDrawSeveralFramesInOrder) {
    SpriteFont font = load(fontFile("A=>GLF_A, A=>GLF_DOT"));
    ASSERT_EQ(font.getAnimFrames('A').size(), 2u);
    EXPECT_EQ(font.getAnimFrames('A')[0]->frame, 1);
    EXPECT_EQ(font.getAnimFrames('A')[1]->frame, 4);

    RecordingVertexArray array(8 * kQuad);
    SpriteFontRenderer renderer(&font, &array, 0);
    renderer.addText("AA", Spatial2D(), nullptr, 1.0f, SpriteFontRenderer::getDefaultMover());
    EXPECT_EQ(renderer.getBytesWritten(), 4 * kQuad);
}

TEST_F(FontFixture, LongerCharacterPiecesAreHexadecimalCodes) {
    SpriteFont font = load(fontFile("2C=>GLF_COMMA, 0x2E=>GLF_DOT, 41=>GLF_A, 5=>GLF_B"));
    EXPECT_EQ(font.getAnimFrames(',').at(0)->frame, 5);
    EXPECT_EQ(font.getAnimFrames('.').at(0)->frame, 4);
    EXPECT_EQ(font.getAnimFrames('A').at(0)->frame, 1);
    EXPECT_EQ(font.getAnimFrames('5').at(0)->frame, 2);  // one character stands for itself
    EXPECT_EQ(font.getAnimFrames(static_cast<char>(0xFF)).size(), 0u);
}

TEST_F(FontFixture, UnknownFrameNamesDrawTheDefaultFrame) {
    SpriteFont font = load(fontFile("A=>GLF_NOPE"));
    ASSERT_EQ(font.getAnimFrames('A').size(), 1u);
    EXPECT_EQ(font.getAnimFrames('A')[0]->frame, 0);
}

TEST_F(FontFixture, ScaleOfZeroTakesTheFilesFontScaleOrOne) {
    EXPECT_FLOAT_EQ(load(fontFile("A=>GLF_A", "FONT_SCALE == 3\n"), 2.0f).getScale(), 2.0f);
    EXPECT_FLOAT_EQ(load(fontFile("A=>GLF_A", "FONT_SCALE == 3\n"), 0.0f).getScale(), 3.0f);
    EXPECT_FLOAT_EQ(load(fontFile("A=>GLF_A"), 0.0f).getScale(), 1.0f);
}

// FONT_SCALE is also the game's key for the scale handed to the font; in the overrides
// (command line, settings file) it must not shadow the font file's own. Other font keys
// still take the overrides' value.
TEST_F(FontFixture, FontScaleComesFromTheFontFileWhateverTheOverridesHold) {
    CFG::getDefaultOverrides()->add("FONT_SCALE", "0");
    CFG::getDefaultOverrides()->add("GLYPH_WIDTH", "12");
    const SpriteFont own = load(fontFile("A=>GLF_A", "FONT_SCALE == 3\n"), 0.0f);
    EXPECT_FLOAT_EQ(own.getScale(), 3.0f);
    EXPECT_EQ(own.getWidth(), 12);
    EXPECT_FLOAT_EQ(load(fontFile("A=>GLF_A"), 0.0f).getScale(), 1.0f);
    EXPECT_FLOAT_EQ(load(fontFile("A=>GLF_A", "FONT_SCALE == 0\n"), 0.0f).getScale(), 0.0f);
}

TEST_F(FontFixture, ReadsSizesGapsAndTheImageFromTheFile) {
    SpriteFont font = load(fontFile("A=>GLF_A"));
    EXPECT_EQ(font.getName(), dir.file("font.cfg"));
    EXPECT_EQ(font.getWidth(), 8);
    EXPECT_EQ(font.getHeight(), 10);
    EXPECT_FLOAT_EQ(font.getColGap(), 1.0f);
    EXPECT_FLOAT_EQ(font.getRowGap(), 2.0f);
    EXPECT_EQ(font.getSprSheet()->getFrameCount(), 8 * 6);
    EXPECT_EQ(maker.requested, std::vector<std::string>{"glyphs.tga"});
    const Util::RGBA white{255, 255, 255, 255};
    EXPECT_EQ(font.getColor(), white);
}

TEST_F(FontFixture, TextOfNSingleFrameGlyphsWritesNQuadsInTheGivenColour) {
    SpriteFont font = load(fontFile("A=>GLF_A, B=>GLF_B"));
    RecordingVertexArray array(8 * kQuad);
    SpriteFontRenderer renderer(&font, &array, 0);
    const Util::RGBA red{255, 0, 0, 255};
    renderer.addText("ABBA", Spatial2D(), &red, 1.0f, SpriteFontRenderer::getDefaultMover());
    renderer.addText("A", Spatial2D(), nullptr, 1.0f, SpriteFontRenderer::getDefaultMover());
    EXPECT_EQ(renderer.getBytesWritten(), 5 * kQuad);  // addText appends
    EXPECT_FLOAT_EQ(array.at(0, 6), 0.0f);             // green of the red text
    EXPECT_FLOAT_EQ(array.at(16, 6), 1.0f);            // the font's white
}

TEST_F(FontFixture, TextLongerThanTheArrayStopsWritingButKeepsMovingThePen) {
    SpriteFont font = load(fontFile("A=>GLF_A"));
    RecordingVertexArray array(2 * kQuad);
    SpriteFontRenderer renderer(&font, &array, 0);
    const Spatial2D end =
        renderer.addText("AAAA", Spatial2D(), nullptr, 1.0f, SpriteFontRenderer::getDefaultMover());
    EXPECT_EQ(renderer.getBytesWritten(), 2 * kQuad);
    EXPECT_EQ(array.overruns, 0);
    EXPECT_FLOAT_EQ(end.x, 4 * 9.0f);
}

TEST(SpriteFontRenderer, SizesTheArrayAt144BytesPerGlyphFrame) {
    EXPECT_EQ(SpriteFontRenderer::sizeOfVA(0), 0);
    EXPECT_EQ(SpriteFontRenderer::sizeOfVA(3), 432);
    EXPECT_EQ(SpriteFontRenderer::sizeOfVA(-1), 0);
    EXPECT_EQ(SpriteFontRenderer::sizeOfVA(std::numeric_limits<int>::max()),
              std::numeric_limits<int>::max() / kQuad * kQuad);
    EXPECT_EQ(SpriteFontRenderer::getDefaultMover(), SpriteFontRenderer::getDefaultMover());
}

TEST_F(FontFixture, CharacterOrAdvanceThatIsNotANumberThrows) {
    EXPECT_THROW(load(fontFile("ZZ=>GLF_A")), std::domain_error);
    EXPECT_THROW(load(fontFile("A=>GLF_A:wide")), std::domain_error);
}

using FontFixtureDeathTest = FontFixture;

TEST_F(FontFixtureDeathTest, AnEntryWithoutOnePairAborts) {
    EXPECT_DEATH(load(fontFile("A")),
                 "ABORT: Invalid string pair part: A. Expected <str1>:<str2>, 2 parts not 1");
    EXPECT_DEATH(load(fontFile("A=>B=>C")), "2 parts not 3");
}

// Cell sizes are bounded by the largest texture side, and a character by its frame count.
TEST_F(FontFixtureDeathTest, CellSizesAndFramesPerCharacterBeyondTheirLimitsAbort) {
    std::string tooManyFrames = "A=>GLF_A";
    for (int i = 0; i < SpriteFont::kMaxFramesPerGlyph; ++i) {
        tooManyFrames += ", A=>GLF_A";
    }
    const struct {
        std::string mappings, extra, message;
    } cases[] = {
        {"A=>GLF_A", "GLYPH_WIDTH == 2147483647\n", "GLYPH_WIDTH 2147483647 is outside 1-16384"},
        {"A=>GLF_A", "GLYPH_WIDTH == 0\n", "GLYPH_WIDTH 0 is outside 1-16384"},
        {"A=>GLF_A", "GLYPH_HEIGHT == 16385\n", "GLYPH_HEIGHT 16385 is outside 1-16384"},
        {"A=>GLF_A", "GLYPH_BORDER == -1\n", "GLYPH_BORDER -1 is outside 0-16384"},
        {"A=>GLF_A", "GLYPH_BORDER == 2147483647\n", "GLYPH_BORDER 2147483647 is outside"},
        {tooManyFrames, "", "more than 64 frames for one character in GLYPH_MAPPINGS: A=>GLF_A"},
    };
    for (const auto& c : cases) {
        EXPECT_DEATH(load(fontFile(c.mappings, c.extra)), "ABORT: Font .*font.cfg: " + c.message)
            << c.extra;
    }
    // The limits themselves are accepted.
    const SpriteFont largest =
        load(fontFile("A=>GLF_A", "GLYPH_WIDTH == 16384\nGLYPH_BORDER == 16384\n"));
    EXPECT_EQ(largest.getWidth(), 16384);
    std::string mostFrames = "A=>GLF_A";
    for (int i = 1; i < SpriteFont::kMaxFramesPerGlyph; ++i) {
        mostFrames += ", A=>GLF_A";
    }
    EXPECT_EQ(load(fontFile(mostFrames)).getAnimFrames('A').size(),
              size_t(SpriteFont::kMaxFramesPerGlyph));
}

TEST_F(FontFixtureDeathTest, ACharacterCodeAboveFFAborts) {
    EXPECT_DEATH(load(fontFile("100=>GLF_A")),
                 "ABORT: Character code out of range 00-FF in GLYPH_MAPPINGS: 100=>GLF_A");
}

TEST_F(FontFixtureDeathTest, AMissingGlyphImageOrFontFileAborts) {
    maker.missing.push_back("glyphs.tga");
    EXPECT_DEATH(load(fontFile("A=>GLF_A")),
                 "ABORT: Font .*font.cfg: glyph image 'glyphs.tga' cannot be loaded");
    EXPECT_DEATH(SpriteFont(&textures, dir.file("absent.cfg"), 1.0f),
                 "ABORT: Font .*absent.cfg: glyph image '' cannot be loaded");
}
