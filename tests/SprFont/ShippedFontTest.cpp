// The game's own font in data/, read by the sprite font: complete.
#include <gtest/gtest.h>

#include "MatSys/TextureStore.h"
#include "SprFont/SpriteFont.h"
#include "SprSys/AnimFrame.h"
#include "SprSys/SpriteSheet.h"
#include "support/FakeTexture.h"
#include "tools/fontgen/FontWriter.h"

namespace {

const std::string kDataDir = QUORLITH_DATA_DIR;

}  // namespace

TEST(ShippedFont, MapsEveryPrintableCharacterToItsOwnCell) {
    TestSupport::FakeTextureMaker maker(128, 128);
    MatSys::TextureStore textures(&maker);
    SprFont::SpriteFont font(&textures, kDataDir + "/" + FontGen::kFontConfigName, 1.0f);
    EXPECT_EQ(maker.requested, std::vector<std::string>{FontGen::kGlyphImageName});
    for (int code = 0x20; code <= 0x7E; ++code) {
        const auto& frames = font.getAnimFrames(static_cast<char>(code));
        ASSERT_EQ(frames.size(), 1u) << "character " << code;
        EXPECT_EQ(frames[0]->frame, code - 0x20) << "character " << code;
        EXPECT_EQ(font.getWidth(static_cast<char>(code)), font.getWidth());
    }
    EXPECT_TRUE(font.getAnimFrames('\n').empty());
    EXPECT_GE(font.getSprSheet()->getFrameCount(), 0x7E - 0x20 + 1);
}
