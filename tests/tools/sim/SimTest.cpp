#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

// quorlith-sim with the game's own configuration (data/quorlith.cfg) and a fixed seed.

namespace {

struct SimRun {
    int status = -1;
    std::string output;
    std::vector<std::string> lines;
};

SimRun sim(const std::string& args) {
    SimRun run;
    // Seed 1 unless the arguments choose one; overrides follow the start-up arguments.
    const std::string seed = args.find("GAME_SEED") == std::string::npos ? " GAME_SEED==1" : "";
    const std::string command = std::string("cd '") + QUORLITH_DATA_DIR + "' && '" + QUORLITH_SIM +
                                "' " + args + seed + " 2>&1";
    run.status = TestSupport::runCommand(command, run.output);
    std::istringstream in(run.output);
    for (std::string line; std::getline(in, line);) {
        run.lines.push_back(line);
    }
    return run;
}

struct Summary {
    long frames = 0;
    std::string elapsed;
    std::string state;
    int dead = -1;
    int level = -1;
    int rings = -1;
};

Summary summaryOf(const SimRun& run) {
    static const std::regex pattern(
        "frames=(\\d+) elapsed=(-?\\d+\\.\\d\\d) state=(RUNNING|TITLE) dead=([01]) "
        "level=(\\d+) rings=(\\d+)");
    Summary summary;
    std::smatch match;
    EXPECT_FALSE(run.lines.empty());
    if (run.lines.empty() || !std::regex_match(run.lines.back(), match, pattern)) {
        ADD_FAILURE() << "unexpected last line in:\n" << run.output;
        return summary;
    }
    summary.frames = std::stol(match[1]);
    summary.elapsed = match[2];
    summary.state = match[3];
    summary.dead = std::stoi(match[4]);
    summary.level = std::stoi(match[5]);
    summary.rings = std::stoi(match[6]);
    return summary;
}

// The running state's clock after `updates` frames of play, accumulated in single
// precision as the state does, with two decimals.
std::string playedMs(long updates, float frameMs) {
    float elapsed = 0.0f;
    for (long i = 0; i < updates; ++i) {
        elapsed += frameMs;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(elapsed));
    return text;
}

}  // namespace

TEST(Simulator, APlayerWhoNeverSteersDiesWhenTheFirstRingArrives) {
    const SimRun run = sim("--frames 3000");
    ASSERT_EQ(run.status, 0) << run.output;
    const Summary summary = summaryOf(run);
    EXPECT_EQ(summary.dead, 1);
    EXPECT_EQ(summary.state, "TITLE");
    EXPECT_GT(summary.frames, 60);
    EXPECT_LT(summary.frames, 3000);
    // Play began on frame 3; the frame of the death counts.
    EXPECT_EQ(summary.elapsed, playedMs(summary.frames - 2, 16.6667f));
    EXPECT_EQ(summary.rings, 5);
    EXPECT_EQ(run.lines.size(), 1u);
}

TEST(Simulator, SurvivesTheFramesBeforeAnyRingReachesThePlayer) {
    const SimRun run = sim("--frames 200 --dt 20");
    ASSERT_EQ(run.status, 0) << run.output;
    const Summary summary = summaryOf(run);
    EXPECT_EQ(summary.frames, 200);
    EXPECT_EQ(summary.state, "RUNNING");
    EXPECT_EQ(summary.dead, 0);
    EXPECT_EQ(summary.elapsed, "3960.00");
    EXPECT_EQ(summary.level, 0);
    EXPECT_EQ(summary.rings, 5);
}

TEST(Simulator, LevelsRiseWithTheClock) {
    // No rings and no player: nothing can end the run, the clock runs on.
    const SimRun run = sim("--frames 1202 --dt 100 BASE_NUM_POLYGONS==0 PLAYER_POLY_RADIUS==0");
    const Summary summary = summaryOf(run);
    EXPECT_EQ(summary.state, "RUNNING");
    EXPECT_EQ(summary.elapsed, playedMs(1200, 100.0f));
    EXPECT_EQ(summary.level, 12);
    EXPECT_EQ(summary.rings, 0);
}

TEST(Simulator, TheSameOptionsGiveTheSameBytes) {
    const std::string options = "--frames 400 --every 50 --hold LEFT:10:120 --hold UP:30:31";
    const SimRun first = sim(options);
    const SimRun second = sim(options);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.output, second.output);
    // Other keys or another seed give another game.
    EXPECT_NE(first.output, sim("--frames 400 --every 50 --hold RIGHT:10:120").output);
    EXPECT_NE(first.output, sim(options + " GAME_SEED==2").output);
}

TEST(Simulator, PrintsGridsAfterEveryKFramesAndAtTheEnd) {
    const SimRun run = sim("--frames 6 --every 3 --grid");
    ASSERT_EQ(run.status, 0);
    // Two periodic grids and the final one, 96 rows each, and the last line.
    ASSERT_EQ(run.lines.size(), 2u + 3u * 96u + 1u);
    EXPECT_EQ(run.lines[0], "frame 3");
    EXPECT_EQ(run.lines[97], "frame 6");
    const std::vector<std::string> finalGrid(run.lines.begin() + 194, run.lines.begin() + 290);
    for (const std::string& row : finalGrid) {
        ASSERT_EQ(row.size(), 128u);
        EXPECT_EQ(row.find_first_not_of("#."), std::string::npos);
    }
    // Vertex 0 of the centre polygon lies below the centre; the corners are clear.
    EXPECT_EQ(finalGrid[54][64], '#');
    EXPECT_EQ(finalGrid[0][0], '.');
    // Frame 6 is printed twice: periodically and as the final grid.
    EXPECT_TRUE(std::equal(finalGrid.begin(), finalGrid.end(), run.lines.begin() + 98));
}

TEST(Simulator, EscapeAtTheTitleEndsTheRunAfterThatFrame) {
    const SimRun run = sim("--no-start --frames 100 --hold ESC:5:5");
    const Summary summary = summaryOf(run);
    EXPECT_EQ(summary.frames, 5);
    EXPECT_EQ(summary.state, "TITLE");
    EXPECT_EQ(summary.dead, 0);
    EXPECT_EQ(summary.elapsed, "0.00");

    // Without --no-start, escape during play does nothing.
    const Summary playing = summaryOf(sim("--frames 20 --hold ESC:5:6"));
    EXPECT_EQ(playing.frames, 20);
    EXPECT_EQ(playing.state, "RUNNING");

    // Space scripted by hand starts the game like the default start.
    const Summary manual = summaryOf(sim("--no-start --frames 20 --hold SPACE:4:4"));
    EXPECT_EQ(manual.state, "RUNNING");
    EXPECT_EQ(manual.elapsed, playedMs(16, 16.6667f));
}

TEST(Simulator, RejectsBadOptionsAndAMissingExtraConfiguration) {
    for (const char* bad : {"--frames 0", "--frames x", "--dt -1", "--hold UP:5", "--hold UP:5:4",
                            "--hold up:1:2", "--every", "--bogus"}) {
        const SimRun run = sim(bad);
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_NE(run.output.find("usage: quorlith-sim"), std::string::npos) << bad;
    }
    EXPECT_EQ(sim("missing-extra.cfg").status, 1);
    const SimRun help = sim("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--hold NAME:FROM:TO"), std::string::npos);
}
