#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CFG/Global.h"
#include "Devices/Devices.h"
#include "game/MainLogic.h"
#include "support/FatalMessage.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/Simulation.h"

namespace {

Sim::Options parse(const std::vector<const char*>& options) {
    std::vector<const char*> argv = {"quorlith-sim"};
    argv.insert(argv.end(), options.begin(), options.end());
    return Sim::parseOptions(static_cast<int>(argv.size()), argv.data());
}

std::string usageErrorOf(const std::vector<const char*>& options) {
    try {
        parse(options);
    } catch (const Sim::UsageError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(SimOptions, NumbersOutsideTheirLimitsAreUsageErrors) {
    const std::string frames = "--frames needs a whole number from 1 to 10000000, not '";
    const std::string hold = "--hold needs a whole number from ";
    struct Case {
        std::vector<const char*> options;
        std::string error;  // the start of the message
    };
    const Case cases[] = {
        {{"--hold", "LEFT:1:9223372036854775807"},
         hold + "1 to 10000000, not '9223372036854775807'"},
        {{"--hold", "LEFT:99999999999999999999:3"}, hold + "1 to 10000000"},
        {{"--hold", "LEFT:5:4"}, hold + "5 to 10000000, not '4'"},
        {{"--hold", "LEFT:-1:4"}, hold + "1 to 10000000, not '-1'"},
        {{"--hold", "LEFT:+1:4"}, hold + "1 to 10000000, not '+1'"},
        {{"--frames", "10000001"}, frames + "10000001'"},
        {{"--frames", "9223372036854775808"}, frames + "9223372036854775808'"},
        {{"--frames", " 5"}, frames + " 5'"},
        {{"--frames", "0"}, frames + "0'"},
        {{"--every", "-3"}, "--every needs a whole number from 1 to 10000000"},
        {{"--dt", "60000.5"}, "--dt needs a frame time from 0 to 60000 milliseconds"},
        {{"--dt", "inf"}, "--dt needs a frame time"},
        {{"--dt", "nan"}, "--dt needs a frame time"},
        {{"--dt", "-0.1"}, "--dt needs a frame time"},
        {{"--hold", "NOKEY:1:2"}, "no key is named 'NOKEY'"},
        {{"--frames"}, "--frames needs a value"},
    };
    for (const Case& c : cases) {
        const std::string error = usageErrorOf(c.options);
        EXPECT_EQ(error.compare(0, c.error.size(), c.error), 0)
            << c.options.back() << ": " << error;
    }

    const Sim::Options limits =
        parse({"--frames", "10000000", "--dt", "60000", "--hold", "::1:10000000", "x.cfg"});
    EXPECT_EQ(limits.frames, 10000000);
    EXPECT_EQ(limits.frameMs, 60000.0f);
    ASSERT_EQ(limits.holds.size(), 2u);  // SPACE on frame 2, then the key named ':'
    EXPECT_EQ(limits.holds[1].name, ":");
    EXPECT_EQ(limits.holds[1].to, 10000000);
    ASSERT_EQ(limits.gameArgs.size(), 2u);
    EXPECT_STREQ(limits.gameArgs[1], "x.cfg");
}

TEST(Simulation, AReportThroughThePlayLeavesNothingBehindAndTheNextGamePlays) {
    const std::map<std::string, std::string> config = {
        {"GRID_WIDTH", "64"},         {"GRID_HEIGHT", "48"},
        {"GAME_SEED", "7"},           {"LEVEL_SECS", "10"},
        {"BASE_NUM_POLYGONS", "3"},   {"SHRINK_SPEED", "0.2"},
        {"SHRINK_SPEED_MAX", "0.2"},  {"RADIUS_GAP", "0.3"},
        {"ROTATION_RANGE", "0, 360"}, {"ROTATION_CHANGE_RANGE", "-30, 30"},
    };
    for (const auto& entry : config) {
        CFG::global()->add(entry.first, entry.second);
    }
    CFG::global()->add("PLAYER_POLY_NUM_SIDES", "2147483647");
    const Sim::Options options = parse({"--frames", "50"});
    EXPECT_EQ(TestSupport::fatalMessageOf([&] { Sim::play(options, nullptr); }),
              "PLAYER_POLY_NUM_SIDES is 2147483647, more than the 360 sides a polygon can have");
    EXPECT_EQ(Devices::getKeyboard(), nullptr);

    CFG::global()->add("PLAYER_POLY_NUM_SIDES", "3");
    Tool::MainLogic::forgetProgramSettings();
    const Sim::Result result = Sim::play(options, nullptr);
    EXPECT_EQ(Sim::summaryLine(result),
              "frames=50 elapsed=800.00 state=RUNNING dead=0 level=0 rings=3");
}
