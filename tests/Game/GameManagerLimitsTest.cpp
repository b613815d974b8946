#include <gtest/gtest.h>

#include <string>

#include "Game/GameManager.h"
#include "support/FatalMessage.h"

// The configuration values the manager is built from, at and beyond their limits.
TEST(GameManagerLimits, BaseSizeFrameRateAndSkipOutsideTheirLimitsAreReported) {
    struct Case {
        int baseWidth, baseHeight, frameRate, maxFrameSkip;
        std::string message;  // empty: built without a report
    };
    const Case cases[] = {
        {0, 0, 0, 0, ""},
        {16384, 16384, 1000, 60, ""},
        {640, 360, 60, -2147483647, ""},  // never skips, as 0
        {-640, 360, 60, 5, "BASE_SCREEN_WIDTH is -640, outside 0 ... 16384 pixels"},
        {640, 16385, 60, 5, "BASE_SCREEN_HEIGHT is 16385, outside 0 ... 16384 pixels"},
        {640, 360, -1, 5, "FRAME_RATE is -1, outside 0 ... 1000 frames per second"},
        {640, 360, 2147483647, 5, "FRAME_RATE is 2147483647, outside 0 ... 1000 frames per second"},
        {640, 360, 60, 2147483647,
         "FRAME_SKIP is 2147483647, more than the 60 frames in a row that may go undrawn"},
    };
    for (const Case& c : cases) {
        int width = 0;
        const std::string message = TestSupport::fatalMessageOf([&] {
            Game::GameManager manager(c.baseWidth, c.baseHeight, c.frameRate, c.maxFrameSkip);
            width = manager.getBaseWidth();
        });
        EXPECT_EQ(message, c.message)
            << c.baseWidth << " " << c.baseHeight << " " << c.frameRate << " " << c.maxFrameSkip;
        if (c.message.empty()) {
            EXPECT_EQ(width, c.baseWidth != 0 ? c.baseWidth : 800);
        }
    }
}
