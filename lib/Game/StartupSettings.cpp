#include "Game/StartupSettings.h"

#include <string>
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

}  // namespace

std::optional<int> readStartupConfiguration(int argc, const char* const* argv) {
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    size_t next = 0;

    std::string settingsFile = Files::Directory::dirname(kMainConfigFile) + kSettingsPrefix +
                               Files::Directory::basename(kMainConfigFile);
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

}  // namespace Game
