#include "game/Replay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

#include "game/ReplaySession.h"
#include "support/FatalMessage.h"
#include "support/TempDir.h"

namespace {

using Tool::Replay;

std::uint32_t bits(float value) {
    std::uint32_t out = 0;
    std::memcpy(&out, &value, sizeof out);
    return out;
}

// Frame times as a window gives them (jitter around 60 frames per second), runs of one
// time as a fixed step gives them, and times whose bits only a bit-exact format keeps.
Replay sampleReplay() {
    Replay replay;
    replay.gameVersion = "1.2.3";
    replay.seed = 4000000000u;
    replay.runState = 123456789u;
    replay.settings = {{"GRID_WIDTH", "128"}, {"SIDES_LIST", "4,5,6"}, {"EMPTY", ""}};
    for (int i = 0; i < 200; ++i) {
        const float jitter = static_cast<float>((i * 7919) % 97) / 1000.0f;
        replay.frames.push_back({16.6f + jitter, static_cast<std::uint8_t>((i / 13) % 16)});
    }
    replay.frames.insert(replay.frames.end(), 500, Replay::Frame{16.6667f, Replay::kLeft});
    for (float odd : {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(),
                      std::numeric_limits<float>::infinity(), std::nanf("0x123"), 60000.0f}) {
        replay.frames.push_back({odd, Replay::kAllKeys});
    }
    replay.endElapsed = 12345.678f;
    replay.endLevel = -3;
    return replay;
}

TEST(ReplayFormat, RoundTripKeepsEveryBitAndIsCompact) {
    const Replay original = sampleReplay();
    std::string error;
    const std::optional<Replay> decoded = Tool::decodeReplay(Tool::encodeReplay(original), error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->gameVersion, original.gameVersion);
    EXPECT_EQ(decoded->seed, original.seed);
    EXPECT_EQ(decoded->runState, original.runState);
    EXPECT_EQ(decoded->settings, original.settings);
    EXPECT_EQ(bits(decoded->endElapsed), bits(original.endElapsed));
    EXPECT_EQ(decoded->endLevel, original.endLevel);
    ASSERT_EQ(decoded->frames.size(), original.frames.size());
    for (std::size_t i = 0; i < original.frames.size(); ++i) {
        EXPECT_EQ(bits(decoded->frames[i].dt), bits(original.frames[i].dt)) << "frame " << i;
        EXPECT_EQ(decoded->frames[i].keys, original.frames[i].keys) << "frame " << i;
    }

    // A minute at a fixed 60 frames per second, keys changing every second.
    Replay minute;
    for (int i = 0; i < 3600; ++i) {
        minute.frames.push_back({16.6667f, static_cast<std::uint8_t>((i / 60) % 16)});
    }
    EXPECT_LT(Tool::encodeReplay(minute).size(), 1024u);
}

TEST(ReplayFormat, RejectsEveryKindOfBadFile) {
    const std::string good = Tool::encodeReplay(sampleReplay());
    // The header of an empty replay, up to its frame count.
    const std::string header = std::string("QRPL") + '\x01' + '\x00' + '\x00' + '\x00' + '\x00';
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", "not a replay file"},
        {"another file type", "\x89PNG\r\n\x1a\n", "not a replay file"},
        {"wrong version", std::string("QRPL") + '\x02', "format version 2"},
        {"absurd settings count",
         std::string("QRPL") + '\x01' + '\x00' + '\x00' + '\x00' + "\xff\x7f",
         "16383 settings, more than 64"},
        {"absurd frame count", header + "\xff\xff\xff\x7f", "more than 3600000"},
        {"overlong number", header + "\xff\xff\xff\xff\xff\x01", "malformed number"},
        {"time run past the count", header + '\x02' + '\x00' + '\x00' + '\x00' + '\x05',
         "frame times overrun"},
        {"key bits", header + '\x01' + '\x00' + '\x00' + '\x02' + '\x10' + '\x01',
         "unknown key bits 16"},
        {"key run past the count", header + '\x01' + '\x00' + '\x00' + '\x02' + '\x01' + '\x02',
         "key runs overrun"},
        {"trailing bytes", good + "x", "unexpected bytes"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Tool::decodeReplay(c.bytes, error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }
    for (std::size_t size = 0; size < good.size(); ++size) {
        std::string error;
        EXPECT_FALSE(Tool::decodeReplay(good.substr(0, size), error)) << "cut at " << size;
    }
}

TEST(ReplayFile, BadFileEndsWithReportNamingItAndWriteIsAtomic) {
    TestSupport::TempDir dir;
    const std::string bad = dir.write("bad.qrp", "QRPL\x01");
    const std::string message = TestSupport::fatalMessageOf([&] { Tool::readReplayFile(bad); });
    EXPECT_EQ(message, "The replay file " + bad + " cannot be played: truncated");
    EXPECT_EQ(TestSupport::fatalMessageOf([&] { Tool::readReplayFile(dir.path()); }),
              "The replay file " + dir.path() + " is not a regular file");
    EXPECT_NE(TestSupport::fatalMessageOf([&] {
                  Tool::readReplayFile(dir.file("none"));
              }).find("Cannot read the replay file " + dir.file("none")),
              std::string::npos);

    std::string error;
    const std::string path = dir.file("run.qrp");
    ASSERT_TRUE(Tool::writeReplayFile(path, sampleReplay(), error)) << error;
    EXPECT_EQ(Tool::readReplayFile(path).frames.size(), sampleReplay().frames.size());
    EXPECT_FALSE(std::ifstream(path + ".tmp"));

    EXPECT_FALSE(Tool::writeReplayFile(dir.file("no/such/folder.qrp"), sampleReplay(), error));
    EXPECT_NE(error.find("no/such/folder.qrp.tmp"), std::string::npos) << error;
}

TEST(ReplayFile, NamesNumberTheRunsAndKeepOtherPercentSigns) {
    const struct {
        const char* pattern;
        const char* name;
    } cases[] = {
        {"run-%d.qrp", "run-7.qrp"}, {"%d-%d", "7-7"}, {"100%%.qrp", "100%.qrp"},
        {"%s%n%x", "%s%n%x"},        {"end%", "end%"}, {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Tool::ReplaySession::fileNameOf(c.pattern, 7), c.name) << c.pattern;
    }
}

}  // namespace
