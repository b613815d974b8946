// quorlith-config: reads the configuration the way the game does (same working
// directory files, same command-line rules, same code) and prints what the game would
// read for the keys asked for.
#include <algorithm>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CFG/Global.h"
#include "Game/StartupSettings.h"
#include "Util/NumberConversion.h"

namespace {

const int kUsageExitCode = 2;

const char* const kUsage =
    "Usage: quorlith-config [game arguments] [requests]\n"
    "\n"
    "Reads the configuration exactly as the game does: SETTINGS_quorlith.cfg (or a first\n"
    "argument SETTINGS_*), quorlith.cfg from the working directory, an optional extra\n"
    "*.cfg file and 'KEY==value' overrides. Without requests it prints every top-level key\n"
    "of the configuration and of the overrides, sorted, as 'KEY == value'.\n"
    "\n"
    "Requests, answered in the order given, one line each:\n"
    "  --get KEY     the value as the game's lookup returns it\n"
    "  --int KEY     the value read as an int\n"
    "  --uint KEY    the value read as an unsigned int\n"
    "  --float KEY   the value read as a float\n"
    "  --bool KEY    1 when the value is YES, Y or 1, else 0\n"
    "  --range KEY   the two numbers of a range, separated by ', '\n"
    "  --point KEY   the three numbers of a point, separated by ', '\n"
    "  --help        this text\n"
    "\n"
    "A line feed inside a value is printed as \\n. A value the game cannot read ends this\n"
    "program as it would end the game: with the same report and a non-zero exit status.\n";

const char* const kRequestOptions[] = {"--get",  "--int",   "--uint", "--float",
                                       "--bool", "--range", "--point"};

struct Request {
    std::string option;
    std::string key;
};

bool isRequestOption(const std::string& argument) {
    return std::any_of(std::begin(kRequestOptions), std::end(kRequestOptions),
                       [&](const char* option) { return argument == option; });
}

std::string escapeLineFeeds(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string floatText(float value) {
    return Util::numToStr<float>(value, 10, 0, -1);
}

// The answer to one request, read through the game's own readers.
std::string answer(const Request& request) {
    CFG::InfoParser& parser = *CFG::parser();
    const std::string& key = request.key;
    if (request.option == "--int") {
        return std::to_string(parser.getNumber<int>(key));
    }
    if (request.option == "--uint") {
        return std::to_string(parser.getNumber<unsigned int>(key));
    }
    if (request.option == "--float") {
        return floatText(parser.getNumber<float>(key));
    }
    if (request.option == "--bool") {
        return parser.getBool(key) ? "1" : "0";
    }
    if (request.option == "--range") {
        Util::Range<float> range = parser.getRange<float>(key);
        return floatText(range.first) + ", " + floatText(range.second);
    }
    if (request.option == "--point") {
        MathStuff::Vector3<float> point = parser.getPoint<float>(key);
        return floatText(point.x) + ", " + floatText(point.y) + ", " + floatText(point.z);
    }
    return CFG::get(key);
}

void printAllKeys() {
    std::vector<std::string> keys;
    std::vector<std::string> overrideKeys;
    CFG::global()->keys(keys);
    CFG::getDefaultOverrides()->keys(overrideKeys);
    keys.insert(keys.end(), overrideKeys.begin(), overrideKeys.end());
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const std::string& key : keys) {
        std::cout << escapeLineFeeds(key) << " == " << escapeLineFeeds(CFG::get(key)) << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The tool's options begin with "-", which the start-up rules ignore; their keys
    // are single words, which the start-up rules ignore as well.
    std::vector<Request> requests;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (isRequestOption(argument)) {
            if (i + 1 >= argc) {
                std::cerr << "quorlith-config: " << argument << " needs a KEY\n\n" << kUsage;
                return kUsageExitCode;
            }
            requests.push_back({argument, argv[++i]});
        } else if (argument.size() > 1 && argument[0] == '-' && argument[1] == '-') {
            std::cerr << "quorlith-config: unknown option " << argument << "\n\n" << kUsage;
            return kUsageExitCode;
        }
    }

    if (std::optional<int> exitCode = Game::readStartupConfiguration(argc, argv)) {
        return *exitCode;
    }

    if (requests.empty()) {
        printAllKeys();
        return 0;
    }
    for (const Request& request : requests) {
        std::cout << escapeLineFeeds(answer(request)) << std::endl;
    }
    return 0;
}
