// The real quorlith binary, started in a copy of its data folder on a private X server:
// the title with its text, a run started with SPACE, the player moved with an arrow key,
// death back to the title, ESC to quit, and the failures of start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "Util/NumberConversion.h"
#include "Util/Strings.h"
#include "e2e/GameDriver.h"
#include "e2e/TextReader.h"
#include "e2e/TitleScreen.h"

using E2E::GameProcess;
using E2E::Image;
using E2E::infoLineMatch;
using E2E::shownTime;
using E2E::titleLayout;

namespace {

constexpr double kStartSeconds = 2.0;  // until the first frames are on screen
constexpr double kDeathTimeoutSeconds = 120.0;
constexpr double kExitTimeoutSeconds = 20.0;
constexpr double kRingsInSightSeconds = 2.0;
constexpr double kRingsMoveSeconds = 3.0;
constexpr int kMovedPixels = 100;
constexpr double kCleanText = 0.95;
constexpr double kNoText = 0.8;

// Saves the screenshot under QUORLITH_SCREENSHOT_DIR when that is set.
void keepScreenshot(const GameProcess& game, const std::string& window, const std::string& name) {
    const char* folder = std::getenv("QUORLITH_SCREENSHOT_DIR");
    if (folder && *folder) {
        EXPECT_TRUE(game.savePNG(window, std::string(folder) + "/" + name));
    }
}

// White pixels of `after` that are not white in `before`: their mean position.
bool meanOfNewWhite(const Image& before, const Image& after, double& x, double& y) {
    double sumX = 0, sumY = 0;
    long count = 0;
    for (int yUp = 0; yUp < after.height; ++yUp) {
        for (int px = 0; px < after.width; ++px) {
            if (after.whiteAt(px, yUp) && !before.whiteAt(px, yUp)) {
                sumX += px;
                sumY += yUp;
                ++count;
            }
        }
    }
    if (count == 0) {
        return false;
    }
    x = sumX / count;
    y = sumY / count;
    return true;
}

class GameE2E : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<E2E::XServer>();
        ASSERT_TRUE(server->running()) << "Xvfb did not start";
    }

    // Starts the game and waits for its window and first frames.
    void start(const std::vector<std::string>& args = {}) {
        game = std::make_unique<GameProcess>(data.path(), args, server->getDisplay());
        window = game->findWindow();
        ASSERT_FALSE(window.empty()) << "no game window; the game said:\n" << game->errorOutput();
        E2E::sleepSeconds(kStartSeconds);
    }

    Image shot() const { return game->screenshot(window); }

    E2E::DataCopy data;
    std::unique_ptr<E2E::XServer> server;
    std::unique_ptr<GameProcess> game;
    std::string window;
};

}  // namespace

TEST_F(GameE2E, TitleThenPlayThenDeathBackToTitleThenEscapeQuits) {
    start();
    const Image title = shot();
    ASSERT_TRUE(title.valid());
    // The title: the time of no run yet and the info lines, drawn in the font where
    // the configuration puts them.
    EXPECT_EQ(shownTime(title), "0.00");
    EXPECT_GT(infoLineMatch(title), kCleanText) << titleLayout(title).lineText;
    keepScreenshot(*game, window, "title.png");

    // SPACE starts a run: the text goes and the rings move in. New rings start outside
    // the field and come into sight after about two seconds; the first one reaches the
    // unmoving player after about five and a half, so look in between.
    game->keyDown("space");
    E2E::sleepSeconds(0.2);
    game->keyUp("space");
    E2E::sleepSeconds(kRingsInSightSeconds);
    Image before = shot();
    Image now = before;
    int changed = 0;
    for (double waited = 0; waited < kRingsMoveSeconds && changed <= kMovedPixels; waited += 0.4) {
        E2E::sleepSeconds(0.4);
        before = now;
        now = shot();
        changed = before.differences(now);
    }
    EXPECT_GT(changed, kMovedPixels) << "the field did not change during play";
    EXPECT_LT(infoLineMatch(now), kNoText);
    keepScreenshot(*game, window, "play.png");

    // Nobody steers: a ring hits the player and the title comes back with the time.
    Image after;
    bool titleAgain = false;
    for (double waited = 0; waited < kDeathTimeoutSeconds && !titleAgain; waited += 0.5) {
        E2E::sleepSeconds(0.5);
        after = shot();
        titleAgain = infoLineMatch(after) > kCleanText;
    }
    ASSERT_TRUE(titleAgain) << "no death within " << kDeathTimeoutSeconds << " s";
    E2E::sleepSeconds(0.3);
    after = shot();
    const std::string time = shownTime(after);
    ASSERT_FALSE(time.empty());
    EXPECT_GT(Util::strToNum<float>(time), 0.0f) << time;

    game->keyDown("Escape");
    E2E::sleepSeconds(0.2);
    game->keyUp("Escape");
    EXPECT_EQ(game->waitForExit(kExitTimeoutSeconds), 0) << game->errorOutput();
}

TEST_F(GameE2E, HoldingLeftTurnsThePlayerAnticlockwise) {
    // No rings: only the player can change the picture.
    start({"BASE_NUM_POLYGONS==0"});
    game->keyDown("space");
    E2E::sleepSeconds(0.2);
    game->keyUp("space");
    E2E::sleepSeconds(0.5);
    const Image still1 = shot();
    E2E::sleepSeconds(0.5);
    const Image still2 = shot();
    EXPECT_EQ(still1.differences(still2), 0) << "the field changes without input";

    // Held briefly: at PLAYER_ROT_CHANGE 300 degrees per second a long hold turns the
    // player past the half turn, where the direction can no longer be told.
    game->keyDown("Left");
    E2E::sleepSeconds(0.15);
    game->keyUp("Left");
    E2E::sleepSeconds(0.3);
    const Image moved = shot();
    ASSERT_GT(still2.differences(moved), 0) << "the player did not move";

    // Where the player was and where it is now, around the centre of the window (y up).
    double oldX, oldY, newX, newY;
    ASSERT_TRUE(meanOfNewWhite(moved, still2, oldX, oldY));
    ASSERT_TRUE(meanOfNewWhite(still2, moved, newX, newY));
    const double cx = moved.width / 2.0, cy = moved.height / 2.0;
    const double cross = (oldX - cx) * (newY - cy) - (oldY - cy) * (newX - cx);
    EXPECT_GT(cross, 0.0) << "moved clockwise";
}

TEST_F(GameE2E, AMissingExtraConfigurationFileEndsWithStatus1) {
    GameProcess game(data.path(), {"level.cfg"}, server->getDisplay());
    EXPECT_EQ(game.waitForExit(kExitTimeoutSeconds), 1);
}

TEST(GameE2ENoDisplay, SaysWhyAndFails) {
    E2E::DataCopy data;
    GameProcess game(data.path(), {}, "");
    const int status = game.waitForExit(kExitTimeoutSeconds);
    EXPECT_NE(status, 0);
    EXPECT_NE(status, -1);
    const std::string message = game.errorOutput();
    EXPECT_NE(message.find("ABORT: "), std::string::npos) << message;
    EXPECT_NE(message.find("window"), std::string::npos) << message;
}
