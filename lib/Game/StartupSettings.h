#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace Game {

// Where an installed game keeps its data and where a player keeps their own settings.
struct InstalledPlaces {
    std::string dataFolder;        // the installed data folder; empty when there is none
    std::string userSettingsFile;  // the player's settings file; empty when there is none
};

// The installed data folder of an executable: "../share/quorlith" from the folder that
// holds it, as the install rules lay it out ('/usr/games/quorlith' -> '/usr/share/quorlith').
// Empty for an empty path.
std::string dataFolderOf(const std::string& executablePath);

// The player's settings file: 'SETTINGS_quorlith.cfg' in the folder "quorlith" of
// xdgConfigHome, or of '<home>/.config' when xdgConfigHome is unset, empty or relative.
// Empty when neither gives an absolute folder. Either argument may be null.
std::string userSettingsFileOf(const char* xdgConfigHome, const char* home);

// The places of this process: the data folder of the running executable and the
// settings file named by XDG_CONFIG_HOME and HOME.
InstalledPlaces installedPlaces();

// The first half of start-up: decides which configuration the game runs with.
//   0. When the working directory holds no "quorlith.cfg" but places.dataFolder does,
//      that folder becomes the working directory (the installed game started from
//      anywhere), and places.userSettingsFile, when it exists, replaces the default
//      settings file of step 1. A working directory holding "quorlith.cfg" (data/ of a
//      build) is used as it is and the player's settings file is not read.
//   1. The settings file is './SETTINGS_quorlith.cfg', or the first argument when it
//      begins with "SETTINGS_" and holds no "==". It is read into the overrides
//      (missing is fine) and its name stored there as SETTINGS_FILE.
//   2. "quorlith.cfg" from the working directory becomes the global configuration.
//   3. The next argument, when it ends in ".cfg" and holds no "==", is an extra
//      configuration file read on top; a missing or empty one ends start-up.
//   4. Every later argument 'key==value' (pieces trimmed) is added to the overrides;
//      arguments beginning with "-" and any other form are ignored.
// Returns std::nullopt when start-up goes on, or the exit code (1) when the program
// must end now.
std::optional<int> readStartupConfiguration(int argc, const char* const* argv,
                                            const InstalledPlaces& places);
// The same with the places of this process.
std::optional<int> readStartupConfiguration(int argc, const char* const* argv);

// A first argument "--help" or "--version": prints the usage (with the places) or
// 'quorlith <version>' to out and returns 0. Any other first argument (or none):
// std::nullopt and nothing printed; start-up ignores both words in every other position.
std::optional<int> answerInformationRequest(int argc, const char* const* argv,
                                            const std::string& version,
                                            const InstalledPlaces& places, std::ostream& out);

}  // namespace Game
