#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "SprSys/AnimFrame.h"
#include "SprSys/Sprite.h"
#include "SprSys/SpriteRender.h"
#include "SprSys/SpriteRotation.h"
#include "SprSys/SpriteSheet.h"
#include "support/FakeTexture.h"
#include "support/RecordingVertexArray.h"

using SprSys::AnimFrame;
using SprSys::RotationBox;
using SprSys::Sprite;
using SprSys::SpriteRotation;
using SprSys::SpriteSheet;
using TestSupport::FakeTexture;
using TestSupport::RecordingVertexArray;
namespace SpriteRender = SprSys::SpriteRender;

namespace {

constexpr float kNear = 1e-4f;

void expectCorner(const RotationBox& box, int k, float x, float y) {
    EXPECT_NEAR(box.x[k], x, kNear) << "corner " << k;
    EXPECT_NEAR(box.y[k], y, kNear) << "corner " << k;
}

// A 64 x 32 texture of 16 x 16 frames.
struct SheetFixture : ::testing::Test {
    FakeTexture texture{64, 32};
    SpriteSheet sheet{&texture, 16, 16, 0, false};
    RecordingVertexArray array{4 * SpriteRender::kBytesPerQuad};
    std::vector<AnimFrame*> frames;
    Sprite sprite;

    ~SheetFixture() override {
        for (AnimFrame* frame : frames) {
            delete frame;
        }
    }
    void addFrame(const std::string& text) {
        frames.push_back(new AnimFrame(text));
        sprite.frames = &frames;
    }
};

}  // namespace

TEST(SpriteRotation, HoldsTheQuadCornersRotatedCounterClockwise) {
    const SpriteRotation table(2.0f, 4.0f);
    const RotationBox& upright = table.getRotationBox(0);
    expectCorner(upright, 0, -1, 2);
    expectCorner(upright, 1, -1, -2);
    expectCorner(upright, 2, 1, -2);
    expectCorner(upright, 3, 1, 2);
    // A quarter turn takes the left-top corner (-1, 2) to (-2, -1).
    expectCorner(table.getRotationBox(90), 0, -2, -1);
    expectCorner(table.getRotationBox(90), 2, 2, 1);
}

TEST(SpriteRotation, TakesAnglesModulo360IncludingNegativeOnes) {
    const SpriteRotation table(2.0f, 4.0f);
    EXPECT_EQ(&table.getRotationBox(370), &table.getRotationBox(10));
    EXPECT_EQ(&table.getRotationBox(-90), &table.getRotationBox(270));
    EXPECT_EQ(&table.getRotationBox(-720), &table.getRotationBox(0));
    EXPECT_EQ(&table.getRotationBox(359), &table.getRotationBox(-1));
}

TEST_F(SheetFixture, WritesOneQuadAtTheRoundedPositionWithTheFramesSize) {
    addFrame("5");
    sprite.x = 10.6f;
    sprite.y = 20.4f;
    sprite.z = 0.2f;
    sprite.color = {255, 0, 51, 255};
    ASSERT_EQ(SpriteRender::toVA(sprite, &array, 0, nullptr, sheet, false),
              SpriteRender::kBytesPerQuad);

    // Centred at (11, 20); frame 5 is 16 x 16: corners LT, LB, RB, RT.
    const float xs[4] = {3, 3, 19, 19};
    const float ys[4] = {28, 12, 12, 28};
    // Frame 5: s 0.25 ... 0.5, t 0.5 ... 1; vertices get (s0,t1) (s0,t0) (s1,t0) (s1,t1).
    const float ss[4] = {0.25f, 0.25f, 0.5f, 0.5f};
    const float ts[4] = {1.0f, 0.5f, 0.5f, 1.0f};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(array.at(k, 0), xs[k]) << k;
        EXPECT_FLOAT_EQ(array.at(k, 1), ys[k]) << k;
        EXPECT_FLOAT_EQ(array.at(k, 2), 0.0f) << k;
        EXPECT_FLOAT_EQ(array.at(k, 3), ss[k]) << k;
        EXPECT_FLOAT_EQ(array.at(k, 4), ts[k]) << k;
        EXPECT_FLOAT_EQ(array.at(k, 5), 1.0f);
        EXPECT_FLOAT_EQ(array.at(k, 6), 0.0f);
        EXPECT_FLOAT_EQ(array.at(k, 7), 0.2f);
        EXPECT_FLOAT_EQ(array.at(k, 8), 1.0f);
    }
}

TEST_F(SheetFixture, RotatesAndScalesTheShiftAndTakesCornersFromTheTable) {
    const SpriteRotation table(16.0f, 16.0f);
    addFrame("0, 4, 0, N, 60, 2, 2");
    sprite.rotation = 30;  // 30 + 60 = 90 degrees
    sprite.scaleX = 0.5f;
    sprite.scaleY = 0.5f;
    SpriteRender::toVA(sprite, &array, 0, &table, sheet, false);
    // Shift (4, 0) scaled by 1 and turned by 90 degrees puts the centre at (0, 4);
    // the corners are those of the 90 degree entry: LT (-8, 8) turns to (-8, -8).
    EXPECT_NEAR(array.at(0, 0), -8.0f, kNear);
    EXPECT_NEAR(array.at(0, 1), 4.0f - 8.0f, kNear);
    EXPECT_NEAR(array.at(2, 0), 8.0f, kNear);
    EXPECT_NEAR(array.at(2, 1), 4.0f + 8.0f, kNear);
}

TEST_F(SheetFixture, RotationsNearTheIntLimitAddWithoutWrapping) {
    const SpriteRotation table(16.0f, 16.0f);
    addFrame("0, 0, 0, N, 32767");
    sprite.rotation = std::numeric_limits<int>::max();
    SpriteRender::toVA(sprite, &array, 0, &table, sheet, false);
    // 2147483647 + 32767 = 2147516414 degrees, 134 degrees past whole turns.
    const RotationBox& expected = table.getRotationBox(134);
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(array.at(k, 0), expected.x[k], kNear) << "corner " << k;
        EXPECT_NEAR(array.at(k, 1), expected.y[k], kNear) << "corner " << k;
    }
}

TEST_F(SheetFixture, MirroredFramesUseTheirVariantsCoordinates) {
    addFrame("0, 0, 0, V");
    SpriteRender::toVA(sprite, &array, 0, nullptr, sheet, false);
    EXPECT_FLOAT_EQ(array.at(0, 3), 0.25f);  // s0 of the V box is the N box's s1
    EXPECT_FLOAT_EQ(array.at(2, 3), 0.0f);
}

TEST_F(SheetFixture, DepthFlagMovesVerticalOffsetsIntoZ) {
    addFrame("0");
    sprite.x = 0;
    sprite.y = 5;
    sprite.z = 100;
    SpriteRender::toVA(sprite, &array, 0, nullptr, sheet, true);
    EXPECT_FLOAT_EQ(array.at(0, 1), 5.0f);
    EXPECT_FLOAT_EQ(array.at(0, 2), 108.0f);
    EXPECT_FLOAT_EQ(array.at(1, 1), 5.0f);
    EXPECT_FLOAT_EQ(array.at(1, 2), 92.0f);
}

TEST_F(SheetFixture, WritesEveryFrameAtConsecutivePositionsFromTheGivenOne) {
    addFrame("0");
    addFrame("1");
    const int start = SpriteRender::kBytesPerQuad;
    EXPECT_EQ(SpriteRender::toVA(sprite, &array, start, nullptr, sheet, false),
              2 * SpriteRender::kBytesPerQuad);
    EXPECT_EQ(array.highWater, 3 * SpriteRender::kBytesPerQuad);
    EXPECT_FLOAT_EQ(array.at(4, 3), 0.0f);   // first quad: frame 0
    EXPECT_FLOAT_EQ(array.at(8, 3), 0.25f);  // second quad: frame 1
    EXPECT_EQ(array.overruns, 0);
}

TEST_F(SheetFixture, ASpriteWithoutFramesWritesNothing) {
    EXPECT_EQ(SpriteRender::toVA(sprite, &array, 0, nullptr, sheet, false), 0);
    sprite.frames = &frames;  // empty list
    EXPECT_EQ(SpriteRender::toVA(sprite, &array, 0, nullptr, sheet, false), 0);
    EXPECT_EQ(array.highWater, 0);
}
