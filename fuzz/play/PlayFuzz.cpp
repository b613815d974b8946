// Plays the game through the simulator's own driver with arbitrary configuration
// values. The input is a configuration file read on top of the game's quorlith.cfg, as
// the extra file of the command line; when its first line begins with "--", that line
// is a list of simulator options (and KEY==value overrides) separated by blanks. At most
// kMostFrames frames are played.
//
// Intended endings are survived: a fatal report (the report hook throws), a value that
// is not a number (std::domain_error, which ends the game) and a usage error of the
// options. Anything else - another exception, a sanitizer report, a hang - is a
// finding. Each input runs in a private temporary directory that holds a copy of the
// game's quorlith.cfg with a fixed seed, so that runs repeat.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CFG/Global.h"
#include "Game/StartupSettings.h"
#include "fuzz/support/FuzzSupport.h"
#include "game/MainLogic.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/Simulation.h"

namespace {

constexpr long kMostFrames = 300;
const char* const kExtraFile = "fuzz.cfg";
const char* const kMainFile = "quorlith.cfg";
// Appended to the copy of the game's file: the time-based seed 0 would make runs differ.
const char* const kFixedSeed = "\nGAME_SEED==1\n";

// The private directory with a copy of the game's configuration.
std::string directoryWithGameConfiguration() {
    const std::string& directory = FuzzSupport::setUpOnce("play");
    std::ifstream game(std::string(QUORLITH_DATA_DIR) + "/" + kMainFile, std::ios::binary);
    std::ofstream copy(directory + "/" + kMainFile, std::ios::binary | std::ios::trunc);
    copy << game.rdbuf() << kFixedSeed;
    if (!game || !copy) {
        std::abort();
    }
    return directory;
}

// Made on the first call, removed at exit.
const std::string& setUpOnce() {
    static const std::string directory = directoryWithGameConfiguration();
    return directory;
}

// The simulator's arguments: its name, the extra file, then the words of an options line.
std::vector<std::string> argumentsOf(const std::string& text, std::string& config) {
    std::vector<std::string> arguments = {"quorlith-sim", kExtraFile};
    config = text;
    if (text.compare(0, 2, "--") == 0) {
        const std::size_t lineEnd = text.find('\n');
        std::istringstream words(text.substr(0, lineEnd));
        for (std::string word; words >> word;) {
            arguments.push_back(word);
        }
        config = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
    }
    return arguments;
}

void playOnce(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    Sim::Options options = Sim::parseOptions(static_cast<int>(argv.size()), argv.data());
    if (options.help) {
        return;
    }
    options.frames = std::min(options.frames, kMostFrames);
    // A fresh program: no overrides, no values cached by an earlier one.
    CFG::getDefaultOverrides()->reset();
    Tool::MainLogic::forgetProgramSettings();
    if (Game::readStartupConfiguration(static_cast<int>(options.gameArgs.size()),
                                       options.gameArgs.data())) {
        return;  // an empty extra file ends start-up
    }
    Sim::play(options, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::WorkingDirectory inPrivateDirectory(setUpOnce());
    std::string config;
    const std::vector<std::string> arguments =
        argumentsOf(std::string(reinterpret_cast<const char*>(data), size), config);
    FuzzSupport::writeFile(kExtraFile, config.data(), config.size());
    try {
        FuzzSupport::surviveIntendedEndings([&] { playOnce(arguments); });
    } catch (const Sim::UsageError&) {
    }
    return 0;
}
