#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CFG/Global.h"
#include "ConfigDir.h"
#include "Game/StartupSettings.h"

namespace {

// Runs the start-up with the program name followed by arguments, in a directory that
// holds the main configuration file.
class Startup : public CFGTest::ConfigDir {
protected:
    void SetUp() override {
        ConfigDir::SetUp();
        write("quorlith.cfg", "A==main\nB==main\nX==main\nFROM==main\n");
    }

    std::optional<int> start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "quorlith");
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        return Game::readStartupConfiguration(static_cast<int>(argv.size()), argv.data());
    }
};

TEST_F(Startup, WithoutArgumentsReadsTheDefaultSettingsAndTheMainFile) {
    write("SETTINGS_quorlith.cfg", "A==settings\n");
    EXPECT_EQ(start({}), std::nullopt);
    EXPECT_EQ(CFG::get("A"), "settings");
    EXPECT_EQ(CFG::get("B"), "main");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), "./SETTINGS_quorlith.cfg");
    EXPECT_EQ(CFG::getDefaultOverrides()->get("SETTINGS_FILE"), "./SETTINGS_quorlith.cfg");
}

TEST_F(Startup, FirstArgumentMayNameTheSettingsFileAndTheNextTheExtraFile) {
    write("SETTINGS_mine.cfg", "A==mine\n");
    write("level.cfg", "B==level\nFROM==level\n");
    EXPECT_EQ(start({"SETTINGS_mine.cfg", "level.cfg", "FROM==command line"}), std::nullopt);
    EXPECT_EQ(CFG::get("A"), "mine");
    EXPECT_EQ(CFG::get("B"), "level");
    EXPECT_EQ(CFG::get("FROM"), "command line");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), "SETTINGS_mine.cfg");
}

TEST_F(Startup, MissingOrEmptyExtraFileEndsWithExitCodeOne) {
    EXPECT_EQ(start({"level.cfg"}), std::optional<int>(1));
    write("empty.cfg", "");
    EXPECT_EQ(start({"empty.cfg"}), std::optional<int>(1));
    EXPECT_EQ(start({"SETTINGS_none.cfg", "missing.cfg"}), std::optional<int>(1));
    write("folder.cfg/inside.cfg", "A==inside\n");
    EXPECT_EQ(start({"folder.cfg"}), std::optional<int>(1));
}

TEST_F(Startup, OverridesFollowTheSplittingRules) {
    write("level.cfg", "B==level\n");
    EXPECT_EQ(start({"level.cfg", "-v", "A == 2", "B", "X==", "==5", "P==Q==R", "late.cfg"}),
              std::nullopt);
    EXPECT_EQ(CFG::get("A"), "2");
    EXPECT_EQ(CFG::get("B"), "level");
    EXPECT_EQ(CFG::get("X"), "main");  // an empty override does not hide the file
    EXPECT_EQ(CFG::get(""), "5");
    EXPECT_EQ(CFG::get("P"), "");
    EXPECT_EQ(CFG::get("late.cfg"), "");
}

TEST_F(Startup, AnOverrideFirstTakesNoFilesFromTheCommandLine) {
    write("SETTINGS_quorlith.cfg", "A==default settings\n");
    write("x.cfg", "B==x\n");
    EXPECT_EQ(start({"X==1", "x.cfg", "SETTINGS_y.cfg"}), std::nullopt);
    EXPECT_EQ(CFG::get("X"), "1");
    EXPECT_EQ(CFG::get("A"), "default settings");
    EXPECT_EQ(CFG::get("B"), "main");
}

TEST_F(Startup, ASettingsPathIsTakenAsTheExtraFile) {
    write("dir/SETTINGS_x.cfg", "B==extra\n");
    EXPECT_EQ(start({"dir/SETTINGS_x.cfg"}), std::nullopt);
    EXPECT_EQ(CFG::get("B"), "extra");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), "./SETTINGS_quorlith.cfg");
}

TEST_F(Startup, SettingsFileMayReferToItsOwnName) {
    write("SETTINGS_quorlith.cfg", "WHERE==::SETTINGS_FILE::\n");
    EXPECT_EQ(start({}), std::nullopt);
    EXPECT_EQ(CFG::get("WHERE"), "./SETTINGS_quorlith.cfg");
}

}  // namespace
