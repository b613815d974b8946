#include <gtest/gtest.h>

#include <limits>

#include "SprSys/SpriteSheet.h"
#include "support/FakeTexture.h"

using SprSys::AnimFrame;
using SprSys::SpriteBox;
using SprSys::SpriteSheet;
using TestSupport::FakeTexture;

namespace {

void expectBox(const SpriteBox& box, float s0, float t0, float s1, float t1) {
    EXPECT_FLOAT_EQ(box.s0, s0);
    EXPECT_FLOAT_EQ(box.t0, t0);
    EXPECT_FLOAT_EQ(box.s1, s1);
    EXPECT_FLOAT_EQ(box.t1, t1);
}

}  // namespace

TEST(SpriteSheet, CutsTouchingFramesRowByRowFromTheFirstTexelRow) {
    FakeTexture texture(64, 32);
    SpriteSheet sheet(&texture, 16, 16, 0, false);
    ASSERT_EQ(sheet.getFrameCount(), 8);
    expectBox(sheet.getSpriteBox(0, AnimFrame::N), 0.0f, 0.0f, 0.25f, 0.5f);
    expectBox(sheet.getSpriteBox(3, AnimFrame::N), 0.75f, 0.0f, 1.0f, 0.5f);
    expectBox(sheet.getSpriteBox(4, AnimFrame::N), 0.0f, 0.5f, 0.25f, 1.0f);
    expectBox(sheet.getSpriteBox(7, AnimFrame::N), 0.75f, 0.5f, 1.0f, 1.0f);
    EXPECT_EQ(sheet.getFrameWidth(7), 16);
    EXPECT_EQ(sheet.getFrameHeight(7), 16);
}

TEST(SpriteSheet, TakesAFrameOnlyWhenItAndTheSpacingAfterItFit) {
    FakeTexture texture(64, 32);
    SpriteSheet sheet(&texture, 16, 16, 1, false);
    ASSERT_EQ(sheet.getFrameCount(), 3);  // x 0, 17, 34 (51 > 64 - 17); only row y 0 (17 > 32 - 17)
    expectBox(sheet.getSpriteBox(1, AnimFrame::N), 17.0f / 64, 0.0f, 33.0f / 64, 0.5f);
    expectBox(sheet.getSpriteBox(2, AnimFrame::N), 34.0f / 64, 0.0f, 50.0f / 64, 0.5f);
}

TEST(SpriteSheet, HalfTexelAdjustmentShrinksTouchingFramesAndGrowsSpacedOnes) {
    FakeTexture texture(64, 32);
    SpriteSheet touching(&texture, 16, 16, 0, true);
    expectBox(touching.getSpriteBox(0, AnimFrame::N), 0.5f / 64, 0.5f / 32, 16.0f / 64 - 0.5f / 64,
              16.0f / 32 - 0.5f / 32);

    SpriteSheet spaced(&texture, 16, 16, 1, true);
    expectBox(spaced.getSpriteBox(1, AnimFrame::N), 17.0f / 64 - 0.5f / 64, -0.5f / 32,
              33.0f / 64 + 0.5f / 64, 0.5f + 0.5f / 32);
}

TEST(SpriteSheet, MirrorVariantsSwapTheirCoordinates) {
    FakeTexture texture(64, 32);
    SpriteSheet sheet(&texture, 16, 16, 0, false);
    const SpriteBox n = sheet.getSpriteBox(5, AnimFrame::N);
    expectBox(sheet.getSpriteBox(5, AnimFrame::H), n.s0, n.t1, n.s1, n.t0);
    expectBox(sheet.getSpriteBox(5, AnimFrame::V), n.s1, n.t0, n.s0, n.t1);
    expectBox(sheet.getSpriteBox(5, AnimFrame::HV), n.s1, n.t1, n.s0, n.t0);
}

TEST(SpriteSheet, UnknownFrameIndexGivesAnEmptyBoxAndSize) {
    FakeTexture texture(64, 32);
    SpriteSheet sheet(&texture, 16, 16, 0, false);
    expectBox(sheet.getSpriteBox(8, AnimFrame::N), 0, 0, 0, 0);
    expectBox(sheet.getSpriteBox(-1, AnimFrame::HV), 0, 0, 0, 0);
    EXPECT_EQ(sheet.getFrameWidth(8), 0);
    EXPECT_EQ(sheet.getFrameHeight(-1), 0);
}

TEST(SpriteSheet, WithoutATextureHasNoFramesAndBindsNothing) {
    SpriteSheet sheet(nullptr, 16, 16, 0, false);
    EXPECT_EQ(sheet.getFrameCount(), 0);
    sheet.beginUsing(0);  // must not dereference the missing texture
    sheet.endUsing(0);
    expectBox(sheet.getSpriteBox(0, AnimFrame::N), 0, 0, 0, 0);
}

TEST(SpriteSheet, BindsItsTextureOnTheGivenUnit) {
    FakeTexture texture(64, 32);
    SpriteSheet sheet(&texture, 16, 16, 0, false);
    sheet.beginUsing(2);
    sheet.endUsing(2);
    EXPECT_EQ(texture.boundUnits, std::vector<int>{2});
    EXPECT_EQ(texture.releasedUnits, std::vector<int>{2});
}

TEST(SpriteSheetDeathTest, RejectsAGridThatWouldNeverEnd) {
    FakeTexture texture(64, 32);
    // A font file that cannot be read gives every size 0.
    EXPECT_DEATH(SpriteSheet(&texture, 0, 0, 0, false),
                 "ABORT: Cannot cut a sprite sheet into frames of 0x0 texels with spacing 0");
    EXPECT_DEATH(SpriteSheet(&texture, 4, 4, -4, false), "ABORT: Cannot cut a sprite sheet");
}

// Sizes near the int limits cut nothing instead of wrapping the grid's steps, and a grid
// of tiny frames on a large image stops at the frame limit.
TEST(SpriteSheet, SizesNearTheIntLimitsCutNothingAndFrameCountsStopAtTheLimit) {
    constexpr int kMax = std::numeric_limits<int>::max();
    const struct {
        int frameWidth, frameHeight, spacing, textureWidth, textureHeight, frames;
    } cases[] = {
        {16, 16, 0, 64, 32, 8},                          // ordinary
        {kMax, 16, 1, 64, 32, 0},                        // width + spacing wraps
        {16, kMax, kMax, 64, 32, 0},                     // height + spacing wraps
        {16, 16, kMax - 10, 64, 32, 0},                  // spacing alone is huge
        {1, 1, 0, 4096, 4096, SpriteSheet::kMaxFrames},  // 16M frames clamped
        {kMax, kMax, 0, kMax, kMax, 1},                  // one frame fills the image
    };
    for (const auto& c : cases) {
        FakeTexture texture(c.textureWidth, c.textureHeight);
        const SpriteSheet sheet(&texture, c.frameWidth, c.frameHeight, c.spacing, false);
        EXPECT_EQ(sheet.getFrameCount(), c.frames)
            << c.frameWidth << "x" << c.frameHeight << " spacing " << c.spacing;
    }
}
