#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CFG/Global.h"
#include "Game/StartupSettings.h"
#include "support/ConfigDir.h"

namespace {

// Runs the start-up with the program name followed by arguments, in a directory that
// holds the main configuration file.
class Startup : public TestSupport::ConfigDir {
protected:
    void SetUp() override {
        ConfigDir::SetUp();
        write("quorlith.cfg", "A==main\nB==main\nX==main\nFROM==main\n");
    }

    std::optional<int> start(std::vector<std::string> arguments) {
        return Game::readStartupConfiguration(static_cast<int>(arguments.size() + 1),
                                              argvOf(arguments).data());
    }

    // The program name followed by the arguments; pointers into arguments.
    static std::vector<const char*> argvOf(const std::vector<std::string>& arguments) {
        std::vector<const char*> argv{"quorlith"};
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        return argv;
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

// The installed game started in a folder without quorlith.cfg: its data folder and the
// player's settings file live below the test's directory.
class InstalledStartup : public Startup {
protected:
    void SetUp() override {
        ConfigDir::SetUp();
        places.dataFolder = dir.file("usr/share/quorlith");
        places.userSettingsFile = dir.file("config/quorlith/SETTINGS_quorlith.cfg");
        write("usr/share/quorlith/quorlith.cfg", "A==main\nB==main\n");
        write("usr/share/quorlith/level.cfg", "B==level\n");
        write("elsewhere/note.txt", "no configuration here\n");
        std::filesystem::current_path(dir.file("elsewhere"));
    }

    std::optional<int> startInstalled(const std::vector<std::string>& arguments) {
        return Game::readStartupConfiguration(static_cast<int>(arguments.size() + 1),
                                              argvOf(arguments).data(), places);
    }

    std::string workingDirectory() const { return std::filesystem::current_path().string(); }

    Game::InstalledPlaces places;
};

TEST_F(InstalledStartup, RunsInTheDataFolderWithThePlayersSettings) {
    write("config/quorlith/SETTINGS_quorlith.cfg", "A==player\n");
    EXPECT_EQ(startInstalled({"level.cfg", "X==1"}), std::nullopt);
    EXPECT_EQ(workingDirectory(), places.dataFolder);
    EXPECT_EQ(CFG::get("A"), "player");
    EXPECT_EQ(CFG::get("B"), "level");
    EXPECT_EQ(CFG::get("X"), "1");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), places.userSettingsFile);
}

TEST_F(InstalledStartup, ASettingsFileNamedFirstWinsOverThePlayersOwn) {
    write("config/quorlith/SETTINGS_quorlith.cfg", "A==player\n");
    write("usr/share/quorlith/SETTINGS_mine.cfg", "A==mine\n");
    EXPECT_EQ(startInstalled({"SETTINGS_mine.cfg"}), std::nullopt);
    EXPECT_EQ(CFG::get("A"), "mine");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), "SETTINGS_mine.cfg");
}

TEST_F(InstalledStartup, WithoutThePlayersFileTheDefaultSettingsFileIsRead) {
    write("usr/share/quorlith/SETTINGS_quorlith.cfg", "A==shipped settings\n");
    EXPECT_EQ(startInstalled({}), std::nullopt);
    EXPECT_EQ(CFG::get("A"), "shipped settings");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), "./SETTINGS_quorlith.cfg");
}

TEST_F(InstalledStartup, AFolderHoldingTheMainFileIsUsedAsItIs) {
    write("config/quorlith/SETTINGS_quorlith.cfg", "A==player\n");
    write("elsewhere/quorlith.cfg", "A==here\n");
    EXPECT_EQ(startInstalled({}), std::nullopt);
    EXPECT_EQ(workingDirectory(), dir.file("elsewhere"));
    EXPECT_EQ(CFG::get("A"), "here");
    EXPECT_EQ(CFG::get("SETTINGS_FILE"), "./SETTINGS_quorlith.cfg");
}

TEST_F(InstalledStartup, ADataFolderWithoutTheMainFileIsNotEntered) {
    write("config/quorlith/SETTINGS_quorlith.cfg", "A==player\n");
    places.dataFolder = dir.file("config");
    EXPECT_EQ(startInstalled({}), std::nullopt);
    EXPECT_EQ(workingDirectory(), dir.file("elsewhere"));
    EXPECT_EQ(CFG::get("A"), "");
}

TEST(InstalledPlaces, DataFolderIsNextToTheExecutablesFolder) {
    EXPECT_EQ(Game::dataFolderOf("/usr/bin/quorlith"), "/usr/share/quorlith");
    EXPECT_EQ(Game::dataFolderOf("/tmp/root/usr/games/quorlith"), "/tmp/root/usr/share/quorlith");
    EXPECT_EQ(Game::dataFolderOf(""), "");
}

TEST(InstalledPlaces, PlayersSettingsFollowXdgConfigHome) {
    const std::string fromHome = "/home/p/.config/quorlith/SETTINGS_quorlith.cfg";
    const struct {
        const char* xdgConfigHome;
        const char* home;
        std::string expected;
    } cases[] = {
        {"/x/cfg", "/home/p", "/x/cfg/quorlith/SETTINGS_quorlith.cfg"},
        {nullptr, "/home/p", fromHome},
        {"", "/home/p", fromHome},
        {"relative/cfg", "/home/p", fromHome},  // the standard ignores relative folders
        {nullptr, nullptr, ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Game::userSettingsFileOf(c.xdgConfigHome, c.home), c.expected)
            << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)");
    }
}

TEST(InformationRequest, HelpAndVersionAnswerOnlyAsTheFirstArgument) {
    TestSupport::TempDir data;
    data.write("quorlith.cfg", "A==main\n");
    const Game::InstalledPlaces places{data.path(), "/home/p/SETTINGS_quorlith.cfg"};
    const auto ask = [&](std::vector<const char*> argv, std::string& printed) {
        std::ostringstream out;
        const auto code = Game::answerInformationRequest(static_cast<int>(argv.size()), argv.data(),
                                                         "0.90", places, out);
        printed = out.str();
        return code;
    };
    std::string printed;
    EXPECT_EQ(ask({"quorlith", "--version"}, printed), std::optional<int>(0));
    EXPECT_EQ(printed, "quorlith 0.90\n");
    EXPECT_EQ(ask({"quorlith", "--help", "X==1"}, printed), std::optional<int>(0));
    EXPECT_EQ(printed.rfind("Usage: quorlith [SETTINGS_name.cfg] [extra.cfg]", 0), 0u) << printed;
    EXPECT_NE(printed.find(places.dataFolder), std::string::npos) << printed;
    EXPECT_NE(printed.find(places.userSettingsFile), std::string::npos) << printed;
    for (const auto& argv : {std::vector<const char*>{"quorlith"},
                             std::vector<const char*>{"quorlith", "SETTINGS_x.cfg", "--help"},
                             std::vector<const char*>{"quorlith", "--version.cfg"},
                             std::vector<const char*>{"quorlith", "--help==1"}}) {
        EXPECT_EQ(ask(argv, printed), std::nullopt) << argv.back();
        EXPECT_EQ(printed, "");
    }
}

}  // namespace
