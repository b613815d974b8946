#include "Game/StartupSettings.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "CFG/Global.h"
#include "Files/Directory.h"
#include "Files/TextFile.h"
#include "Util/Strings.h"

namespace Game {

namespace {

const char* const kMainConfigFile = "quorlith.cfg";
const char* const kSettingsPrefix = "SETTINGS_";
const char* const kConfigSuffix = ".cfg";
const char* const kSettingsFileKey = "SETTINGS_FILE";
const char* const kOverrideSeparator = "==";
const int kMissingConfigExitCode = 1;

// Relative to the folder of the executable; the install rules put the data there.
const char* const kInstalledDataFolder = "../share/quorlith";
const char* const kUserConfigFolder = "quorlith";
const char* const kDefaultConfigHome = ".config";
const char* const kRunningExecutable = "/proc/self/exe";

const char* const kHelpOption = "--help";
const char* const kVersionOption = "--version";

const char* const kUsage =
    "Usage: quorlith [SETTINGS_name.cfg] [extra.cfg] [KEY==value ...]\n"
    "       quorlith --help | --version\n"
    "\n"
    "Steer the small polygon around the centre while open rings close in.\n"
    "SPACE starts a run, the arrow keys steer, ESC on the title quits.\n"
    "\n"
    "  SETTINGS_name.cfg  settings file (first argument only) read instead of the\n"
    "                     default one; its values win over the configuration files\n"
    "  extra.cfg          configuration file read after quorlith.cfg\n"
    "  KEY==value         value that wins over every file\n"
    "\n"
    "The game reads quorlith.cfg and ./SETTINGS_quorlith.cfg from the working directory.\n"
    "When that holds no quorlith.cfg, the game runs in its installed data folder, where\n"
    "the file names of the command line are looked up, and its default settings file is\n"
    "the player's own when that exists:\n";

bool isOverride(const std::string& argument) {
    return argument.find(kOverrideSeparator) != std::string::npos;
}

bool isSettingsFile(const std::string& argument) {
    return !isOverride(argument) && Util::startswith(argument, kSettingsPrefix);
}

bool isExtraConfigFile(const std::string& argument) {
    return !isOverride(argument) && Util::endswith(argument, kConfigSuffix);
}

void addOverride(const std::string& argument) {
    std::vector<std::string> pieces;
    Util::splitString(argument, kOverrideSeparator, pieces, true, true);
    if (pieces.size() == 2) {
        CFG::getDefaultOverrides()->add(pieces[0], pieces[1]);
    }
}

bool isFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool holdsMainConfigFile(const std::string& folder) {
    return !folder.empty() && isFile(folder + Files::Directory::SEP + kMainConfigFile);
}

std::string defaultSettingsFile() {
    return Files::Directory::dirname(kMainConfigFile) + kSettingsPrefix +
           Files::Directory::basename(kMainConfigFile);
}

// Step 0: the installed game started outside a folder holding the main file moves into
// its data folder. Whether it did.
bool enterInstalledDataFolder(const InstalledPlaces& places) {
    if (isFile(kMainConfigFile) || !holdsMainConfigFile(places.dataFolder)) {
        return false;
    }
    std::error_code error;
    std::filesystem::current_path(places.dataFolder, error);
    return !error;
}

void printUsage(const InstalledPlaces& places, std::ostream& out) {
    out << kUsage << "  installed data folder:  "
        << (holdsMainConfigFile(places.dataFolder) ? places.dataFolder : "(not installed)")
        << "\n  player's settings file: "
        << (places.userSettingsFile.empty() ? "(none: HOME is not set)" : places.userSettingsFile)
        << "\n";
}

}  // namespace

std::string dataFolderOf(const std::string& executablePath) {
    if (executablePath.empty()) {
        return "";
    }
    const std::filesystem::path folder = std::filesystem::path(executablePath).parent_path();
    return (folder / kInstalledDataFolder).lexically_normal().string();
}

std::string userSettingsFileOf(const char* xdgConfigHome, const char* home) {
    std::string configHome;
    if (xdgConfigHome && xdgConfigHome[0] == Files::Directory::SEP) {
        configHome = xdgConfigHome;
    } else if (home && home[0] == Files::Directory::SEP) {
        configHome = std::string(home) + Files::Directory::SEP + kDefaultConfigHome;
    } else {
        return "";
    }
    return configHome + Files::Directory::SEP + kUserConfigFolder + Files::Directory::SEP +
           kSettingsPrefix + Files::Directory::basename(kMainConfigFile);
}

InstalledPlaces installedPlaces() {
    std::error_code error;
    const std::filesystem::path executable =
        std::filesystem::read_symlink(kRunningExecutable, error);
    InstalledPlaces places;
    places.dataFolder = error ? "" : dataFolderOf(executable.string());
    places.userSettingsFile =
        userSettingsFileOf(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    return places;
}

std::optional<int> readStartupConfiguration(int argc, const char* const* argv,
                                            const InstalledPlaces& places) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    size_t next = 0;

    const bool installed = enterInstalledDataFolder(places);

    std::string settingsFile = defaultSettingsFile();
    if (installed && isFile(places.userSettingsFile)) {
        settingsFile = places.userSettingsFile;
    }
    if (next < arguments.size() && isSettingsFile(arguments[next])) {
        settingsFile = arguments[next++];
    }
    CFG::getDefaultOverrides()->addConfig(settingsFile);
    CFG::getDefaultOverrides()->add(kSettingsFileKey, settingsFile);

    CFG::setConfig(kMainConfigFile);

    if (next < arguments.size() && isExtraConfigFile(arguments[next])) {
        if (Files::TextFile::size(arguments[next]) == 0) {
            return kMissingConfigExitCode;
        }
        CFG::addConfig(arguments[next++]);
    }

    for (; next < arguments.size(); ++next) {
        if (!Util::startswith(arguments[next], "-")) {
            addOverride(arguments[next]);
        }
    }
    return std::nullopt;
}

std::optional<int> readStartupConfiguration(int argc, const char* const* argv) {
    return readStartupConfiguration(argc, argv, installedPlaces());
}

std::optional<int> answerInformationRequest(int argc, const char* const* argv,
                                            const std::string& version,
                                            const InstalledPlaces& places, std::ostream& out) {
    if (argc < 2) {
        return std::nullopt;
    }
    const std::string first = argv[1];
    if (first == kHelpOption) {
        printUsage(places, out);
        return 0;
    }
    if (first == kVersionOption) {
        out << "quorlith " << version << "\n";
        return 0;
    }
    return std::nullopt;
}

}  // namespace Game
