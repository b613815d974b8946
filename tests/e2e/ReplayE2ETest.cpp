// A run of the real game recorded while xdotool steers it, then proven twice: by the
// simulator, which must end it in the same frame with the same elapsed time, and by the
// game playing it back in its window, which must show the same time on the title.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Util/NumberConversion.h"
#include "e2e/GameDriver.h"
#include "e2e/TitleScreen.h"
#include "support/TempDir.h"

namespace {

constexpr double kStartSeconds = 2.0;
constexpr double kDeathTimeoutSeconds = 120.0;
constexpr double kExitTimeoutSeconds = 20.0;
constexpr double kCleanText = 0.95;
constexpr double kPlayingText = 0.8;
const char* const kReplayName = "steered.qrp";

// Key presses and releases at irregular moments, seconds apart; keys overlap.
const std::vector<std::pair<std::string, double>> kSteering = {
    {"+Left", 0.13}, {"+Up", 0.41},   {"-Left", 0.29}, {"+Right", 0.07},
    {"-Up", 0.53},   {"+Down", 0.17}, {"-Down", 0.11}, {"-Right", 0.37},
    {"+Left", 0.23}, {"+Up", 0.19},   {"-Up", 0.31},   {"-Left", 0.05},
};

// The value after "name=" in a line of the simulator; empty when missing.
std::string field(const std::string& line, const std::string& name) {
    const std::size_t at = line.find(" " + name + "=");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t from = at + name.size() + 2;
    return line.substr(from, line.find(' ', from) - from);
}

class ReplayE2E : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<E2E::XServer>();
        ASSERT_TRUE(server->running()) << "Xvfb did not start";
    }

    void start(const std::string& replayKey) {
        game = std::make_unique<E2E::GameProcess>(
            data.path(), std::vector<std::string>{replayKey + "==" + kReplayName},
            server->getDisplay());
        window = game->findWindow();
        ASSERT_FALSE(window.empty()) << "no game window; the game said:\n" << game->errorOutput();
        E2E::sleepSeconds(kStartSeconds);
    }

    // Waits for the title to come back after a run and reads the time it shows.
    std::string timeAfterRun() {
        for (double waited = 0; waited < kDeathTimeoutSeconds; waited += 0.5) {
            E2E::sleepSeconds(0.5);
            if (E2E::infoLineMatch(game->screenshot(window)) > kCleanText) {
                E2E::sleepSeconds(0.3);
                return E2E::shownTime(game->screenshot(window));
            }
        }
        ADD_FAILURE() << "the run did not end within " << kDeathTimeoutSeconds << " s";
        return {};
    }

    void quit() {
        game->keyDown("Escape");
        E2E::sleepSeconds(0.2);
        game->keyUp("Escape");
        EXPECT_EQ(game->waitForExit(kExitTimeoutSeconds), 0) << game->errorOutput();
    }

    E2E::DataCopy data;
    std::unique_ptr<E2E::XServer> server;
    std::unique_ptr<E2E::GameProcess> game;
    std::string window;
};

}  // namespace

TEST_F(ReplayE2E, ASteeredRunPlaysAgainToTheSameEndInSimulatorAndWindow) {
    start("REPLAY_RECORD");
    game->keyDown("space");
    E2E::sleepSeconds(0.2);
    game->keyUp("space");
    for (const auto& [step, pause] : kSteering) {
        if (step[0] == '+') {
            game->keyDown(step.substr(1));
        } else {
            game->keyUp(step.substr(1));
        }
        E2E::sleepSeconds(pause);
    }
    const std::string recordedTime = timeAfterRun();
    ASSERT_FALSE(recordedTime.empty());
    quit();
    const std::string replay = data.path() + "/" + kReplayName;
    ASSERT_TRUE(std::ifstream(replay)) << "no replay written; the game said:\n"
                                       << game->errorOutput();

    std::string output;
    const int status = TestSupport::runCommand(
        "cd '" + data.path() + "' && '" QUORLITH_SIM "' --replay " + kReplayName + " --check",
        output);
    EXPECT_EQ(status, 0) << output;
    const std::string check = output.substr(output.rfind("replay "));
    EXPECT_EQ(field(check, "frames"), field(check.substr(check.find("recorded")), "frames"))
        << check;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f",
                  Util::strToNum<double>(field(check, "elapsed")) / 1000.0);
    EXPECT_EQ(seconds, recordedTime) << check;

    start("REPLAY_PLAY");
    // The recorded run starts at once: the title's text is gone.
    EXPECT_LT(E2E::infoLineMatch(game->screenshot(window)), kPlayingText);
    EXPECT_EQ(timeAfterRun(), recordedTime);
    quit();
}
