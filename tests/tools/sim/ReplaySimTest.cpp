#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFG/Global.h"
#include "game/MainLogic.h"
#include "game/ReplaySession.h"
#include "support/TempDir.h"
#include "tools/sim/ReplayCheck.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/Simulation.h"

namespace {

const std::pair<const char*, const char*> kConfig[] = {
    {"GRID_WIDTH", "64"},
    {"GRID_HEIGHT", "48"},
    {"GAME_SEED", "0"},
    {"LEVEL_SECS", "1"},
    {"BASE_NUM_POLYGONS", "3"},
    {"SHRINK_SPEED", "0.2"},
    {"SHRINK_SPEED_MAX", "0.3"},
    {"LEVEL_INC_SHRINK", "0.02"},
    {"RADIUS_GAP", "0.3"},
    {"ROTATION_RANGE", "0, 360"},
    {"ROTATION_CHANGE_RANGE", "-30, 30"},
    {"KEY_MOVE_UP", "UP"},
    {"KEY_MOVE_LEFT", "LEFT"},
    {"PLAYER_HGT_CHANGE", "0.3"},
    {"PLAYER_ROT_CHANGE", "300"},
    {"PLAYER_MAX_HEIGHT", "0.25"},
    {"PLAYER_BASE_HEIGHT", "0.1"},
    {"PLAYER_POLY_RADIUS", "0.025"},
    {"PLAYER_POLY_NUM_SIDES", "3"},
};

Sim::Result playWith(const std::vector<const char*>& options) {
    std::vector<const char*> argv = {"quorlith-sim"};
    argv.insert(argv.end(), options.begin(), options.end());
    Tool::MainLogic::forgetProgramSettings();
    return Sim::play(Sim::parseOptions(static_cast<int>(argv.size()), argv.data()), nullptr);
}

void setOverride(const std::string& key, const std::string& value) {
    CFG::getDefaultOverrides()->add(key, value);
}

}  // namespace

// Recorded with a drawn seed and keys, played with other settings, stopped by escape.
TEST(ReplaySim, ARecordedRunEndsAlikeWithItsOwnSettingsAndEscapeStopsIt) {
    for (const auto& [key, value] : kConfig) {
        CFG::global()->add(key, value);
    }
    TestSupport::TempDir dir;
    setOverride("REPLAY_RECORD", dir.file("run-%d.qrp"));
    const Sim::Result recorded =
        playWith({"--frames", "20000", "--dt", "13.7", "--hold", "LEFT:3:40", "--hold", "UP:12:31",
                  "--hold", "LEFT:70:75"});
    ASSERT_TRUE(recorded.dead);
    const Tool::Replay replay = Tool::readReplayFile(dir.file("run-1.qrp"));
    EXPECT_EQ(replay.frames.size(), static_cast<std::size_t>(recorded.frames - 2));
    EXPECT_EQ(replay.frames[2].keys, Tool::Replay::kLeft);
    EXPECT_EQ(replay.frames[12].keys, Tool::Replay::kLeft | Tool::Replay::kUp);

    setOverride("REPLAY_RECORD", "");
    setOverride("REPLAY_PLAY", dir.file("run-1.qrp"));
    CFG::global()->add("SHRINK_SPEED", "0.5");
    ::testing::internal::CaptureStderr();
    const Sim::Result played = playWith({"--dt", "99"});
    const std::string said = ::testing::internal::GetCapturedStderr();
    const Tool::ReplaySession& session = Tool::ReplaySession::instance();
    EXPECT_TRUE(Sim::checkReplay(*session.playedReplay(), session.playbackOutcome()).same)
        << Sim::checkReplay(*session.playedReplay(), session.playbackOutcome()).line;
    EXPECT_EQ(played.frames, recorded.frames);
    EXPECT_EQ(said, "The replay " + dir.file("run-1.qrp") +
                        " was recorded with other values of SHRINK_SPEED; it plays with the "
                        "recorded ones\n");

    // Each play starts a new session: the one read above is gone.
    const Sim::Result stopped = playWith({"--hold", "ESC:20:20"});
    const Tool::ReplaySession& stoppedSession = Tool::ReplaySession::instance();
    const Sim::ReplayCheck check =
        Sim::checkReplay(*stoppedSession.playedReplay(), stoppedSession.playbackOutcome());
    EXPECT_FALSE(check.same);
    EXPECT_EQ(stoppedSession.playbackOutcome().frames, 17u) << check.line;  // frames 3 ... 19
    EXPECT_NE(check.line.find("(no collision)"), std::string::npos) << check.line;
    EXPECT_FALSE(stopped.running);  // back on the title, the time shown
    setOverride("REPLAY_PLAY", "");
}
