#include "tools/sim/SimOptions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "Devices/KeyboardStrings.h"

namespace Sim {

namespace {

const char* const kStartKeyName = "SPACE";

const char* const kUsage =
    "usage: quorlith-sim [options] [SETTINGS_file] [extra.cfg] [KEY==value ...]\n"
    "Plays the game logic without a window, reading quorlith.cfg from the working\n"
    "directory exactly as the game does (settings file, extra file and overrides too).\n"
    "\n"
    "  --frames N          frames to run, 1 to 10000000 (default 600)\n"
    "  --dt MS             frame time in milliseconds, 0 to 60000 (default 16.6667)\n"
    "  --hold NAME:FROM:TO hold the key named NAME from frame FROM to frame TO\n"
    "                      inclusive; frames count from 1, up to 10000000; repeatable\n"
    "  --no-start          do not hold SPACE on frame 2 (play then never starts\n"
    "                      unless a --hold does it)\n"
    "  --grid              print the final grid, '#' set and '.' clear, row 0 first\n"
    "  --every K           print the grid after frames K, 2K, ..., each after a line\n"
    "                      'frame <n>'; K from 1 to 10000000\n"
    "  --replay FILE       play the recorded run in FILE (its frame times, keys and\n"
    "                      settings); runs until it ends unless --frames is given\n"
    "  --check             with --replay: compare the end of the run (collision frame,\n"
    "                      elapsed time, level) with the recorded one, print a line\n"
    "                      'replay ...' and exit 1 on a difference\n"
    "  --help              print this text\n"
    "\n"
    "It stops after N frames, after the frame in which the running state returns\n"
    "\"DEAD\", or after the frame in which the title state raises the quit request.\n"
    "Last line: frames=<n> elapsed=<ms> state=<RUNNING|TITLE> dead=<0|1> level=<n>\n"
    "rings=<n>\n";

// Whole decimal digits only (no sign, space or exponent), within minimum ... kMaxFrames.
long parseCount(const std::string& option, const std::string& text, long minimum) {
    long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    const bool digitsOnly = !text.empty() && text[0] != '-' && end == last;
    if (!digitsOnly || error != std::errc() || value < minimum || value > Options::kMaxFrames) {
        throw UsageError(option + " needs a whole number from " + std::to_string(minimum) + " to " +
                         std::to_string(Options::kMaxFrames) + ", not '" + text + "'");
    }
    return value;
}

float parseFrameTime(const std::string& text) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0.0f ||
        value > Options::kMaxFrameMs) {
        throw UsageError("--dt needs a frame time from 0 to 60000 milliseconds, not '" + text +
                         "'");
    }
    return value;
}

unsigned char keyCode(const std::string& name) {
    const unsigned char code =
        Util::Singleton<Devices::KeyboardStrings>::instance().keyMapping().reverseLookup(name);
    if (code == 0) {
        throw UsageError("no key is named '" + name + "'");
    }
    return code;
}

// NAME:FROM:TO, split at the last two colons so that the key named ':' works too.
Hold parseHold(const std::string& text) {
    const std::size_t toColon = text.rfind(':');
    const std::size_t fromColon = toColon == std::string::npos || toColon == 0
                                      ? std::string::npos
                                      : text.rfind(':', toColon - 1);
    if (fromColon == std::string::npos || fromColon == 0) {
        throw UsageError("--hold needs NAME:FROM:TO, not '" + text + "'");
    }
    Hold hold;
    hold.name = text.substr(0, fromColon);
    hold.code = keyCode(hold.name);
    hold.from = parseCount("--hold", text.substr(fromColon + 1, toColon - fromColon - 1), 1);
    hold.to = parseCount("--hold", text.substr(toColon + 1), hold.from);
    return hold;
}

}  // namespace

const char* usageText() {
    return kUsage;
}

Options parseOptions(int argc, const char* const* argv) {
    Options options;
    bool framesGiven = false;
    if (argc > 0) {
        options.gameArgs.push_back(argv[0]);
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                throw UsageError(arg + " needs a value");
            }
            return argv[++i];
        };
        if (arg == "--help") {
            options.help = true;  // the rest is not looked at
            return options;
        }
        if (arg == "--frames") {
            options.frames = parseCount(arg, value(), 1);
            framesGiven = true;
        } else if (arg == "--dt") {
            options.frameMs = parseFrameTime(value());
        } else if (arg == "--hold") {
            options.holds.push_back(parseHold(value()));
        } else if (arg == "--no-start") {
            options.start = false;
        } else if (arg == "--replay") {
            options.replay = value();
        } else if (arg == "--check") {
            options.check = true;
        } else if (arg == "--grid") {
            options.grid = true;
        } else if (arg == "--every") {
            options.every = parseCount(arg, value(), 1);
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            throw UsageError("unknown option " + arg);
        } else {
            options.gameArgs.push_back(argv[i]);
        }
    }
    if (options.check && options.replay.empty()) {
        throw UsageError("--check needs --replay");
    }
    if (!options.replay.empty() && !framesGiven) {
        options.frames = Options::kMaxFrames;
    }
    if (options.start) {
        options.holds.insert(options.holds.begin(),
                             Hold{kStartKeyName, keyCode(kStartKeyName), Options::kStartFrame,
                                  Options::kStartFrame});
    }
    return options;
}

}  // namespace Sim
