// quorlith-sim: plays the real game logic without a window. The configuration is read
// by the game's own start-up code, the logic controller holds the real running and
// title states (the running state with a view that draws nothing), a real keyboard
// keeps the held keys, and every frame is one update of the controller with a fixed
// frame time. Scripted keys are raised as key events on the bus, as the window raises
// them. The output depends only on the configuration and the options.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CFG/Global.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "Devices/KeyboardStrings.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "Game/GameManager.h"
#include "Game/LogicController.h"
#include "Game/StartupSettings.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"
#include "game/TitleLogic.h"

namespace {

constexpr int kUsageError = 2;
constexpr long kDefaultFrames = 600;
constexpr float kDefaultFrameMs = 16.6667f;
constexpr long kStartFrame = 2;  // SPACE is held on this frame unless --no-start
const char* const kStartKeyName = "SPACE";

const char* const kUsage =
    "usage: quorlith-sim [options] [SETTINGS_file] [extra.cfg] [KEY==value ...]\n"
    "Plays the game logic without a window, reading quorlith.cfg from the working\n"
    "directory exactly as the game does (settings file, extra file and overrides too).\n"
    "\n"
    "  --frames N          frames to run (default 600)\n"
    "  --dt MS             frame time in milliseconds (default 16.6667)\n"
    "  --hold NAME:FROM:TO hold the key named NAME from frame FROM to frame TO\n"
    "                      inclusive; frames count from 1; repeatable\n"
    "  --no-start          do not hold SPACE on frame 2 (play then never starts\n"
    "                      unless a --hold does it)\n"
    "  --grid              print the final grid, '#' set and '.' clear, row 0 first\n"
    "  --every K           print the grid after frames K, 2K, ..., each after a line\n"
    "                      'frame <n>'\n"
    "  --help              print this text\n"
    "\n"
    "It stops after N frames, after the frame in which the running state returns\n"
    "\"DEAD\", or after the frame in which the title state raises the quit request.\n"
    "Last line: frames=<n> elapsed=<ms> state=<RUNNING|TITLE> dead=<0|1> level=<n>\n"
    "rings=<n>\n";

struct Hold {
    std::string name;
    unsigned char code;
    long from;  // press raised before the update of this frame
    long to;    // release raised before the update of frame to + 1
};

struct Options {
    long frames = kDefaultFrames;
    float frameMs = kDefaultFrameMs;
    std::vector<Hold> holds;
    bool start = true;
    bool grid = false;
    long every = 0;
    std::vector<const char*> gameArgs;  // program name and the start-up arguments
};

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "quorlith-sim: %s\n%s", message.c_str(), kUsage);
    std::exit(kUsageError);
}

// A whole decimal number >= minimum; anything else is a usage error.
long parseCount(const std::string& option, const std::string& text, long minimum) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < minimum) {
        usageError(option + " needs a whole number of at least " + std::to_string(minimum) +
                   ", not '" + text + "'");
    }
    return value;
}

float parseFrameTime(const std::string& text) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0.0f) {
        usageError("--dt needs a frame time in milliseconds, 0 or more, not '" + text + "'");
    }
    return value;
}

unsigned char keyCode(const std::string& name) {
    const unsigned char code =
        Util::Singleton<Devices::KeyboardStrings>::instance().keyMapping().reverseLookup(name);
    if (code == 0) {
        usageError("no key is named '" + name + "'");
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
        usageError("--hold needs NAME:FROM:TO, not '" + text + "'");
    }
    Hold hold;
    hold.name = text.substr(0, fromColon);
    hold.code = keyCode(hold.name);
    hold.from = parseCount("--hold", text.substr(fromColon + 1, toColon - fromColon - 1), 1);
    hold.to = parseCount("--hold", text.substr(toColon + 1), hold.from);
    return hold;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    options.gameArgs.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                usageError(arg + " needs a value");
            }
            return argv[++i];
        };
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arg == "--frames") {
            options.frames = parseCount(arg, value(), 1);
        } else if (arg == "--dt") {
            options.frameMs = parseFrameTime(value());
        } else if (arg == "--hold") {
            options.holds.push_back(parseHold(value()));
        } else if (arg == "--no-start") {
            options.start = false;
        } else if (arg == "--grid") {
            options.grid = true;
        } else if (arg == "--every") {
            options.every = parseCount(arg, value(), 1);
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            usageError("unknown option " + arg);
        } else {
            options.gameArgs.push_back(argv[i]);
        }
    }
    if (options.start) {
        options.holds.insert(options.holds.begin(),
                             Hold{kStartKeyName, keyCode(kStartKeyName), kStartFrame, kStartFrame});
    }
    return options;
}

// Notes the quit request, which the window application would act on.
class QuitWatcher : public EVT::I_EventConsumer {
public:
    QuitWatcher() { Util::Singleton<EVT::EventBus>::instance().addConsumer(EVT::ET_QUIT, this); }
    void handleEvent(EVT::I_Event* /*event*/) override { quit = true; }
    bool quit = false;
};

void raiseKey(unsigned char code, bool pressed) {
    EVT::Event_Key event(code, pressed, 0);
    Util::Singleton<EVT::EventBus>::instance().raiseEvent(&event, false);
}

// The key events due before the update of frame n: the releases of holds that ended on
// frame n - 1, then the presses of holds that begin on frame n, each in option order.
void raiseScheduledKeys(const std::vector<Hold>& holds, long frame) {
    for (const Hold& hold : holds) {
        if (hold.to + 1 == frame) {
            raiseKey(hold.code, false);
        }
    }
    for (const Hold& hold : holds) {
        if (hold.from == frame) {
            raiseKey(hold.code, true);
        }
    }
}

void printGrid(const Tool::MainLogic& logic) {
    const int width = logic.getGridWidth();
    const unsigned char* cells = logic.getGrid();
    std::string line(static_cast<std::size_t>(width), '.');
    for (int y = 0; y < logic.getGridHeight(); ++y) {
        for (int x = 0; x < width; ++x) {
            line[static_cast<std::size_t>(x)] =
                cells[static_cast<std::size_t>(y) * width + x] != 0 ? '#' : '.';
        }
        std::printf("%s\n", line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    if (const auto exitCode = Game::readStartupConfiguration(
            static_cast<int>(options.gameArgs.size()), options.gameArgs.data())) {
        return *exitCode;
    }

    // Assembled as the game assembles it, without the window, renderer and sound.
    CFG::InfoParser* parser = CFG::parser();
    Game::GameManager manager(
        parser->getNumber<int>("BASE_SCREEN_WIDTH"), parser->getNumber<int>("BASE_SCREEN_HEIGHT"),
        parser->getNumber<int>("FRAME_RATE"), parser->getNumber<int>("FRAME_SKIP"));
    auto* controller = new Game::LogicController();
    auto* running = new Tool::MainLogic(&manager, &Tool::createHeadlessView);
    controller->add("RUNNING", running, {{"*", "TITLE"}});
    controller->add("TITLE", new Tool::TitleLogic(&manager), {{"*", "RUNNING"}});
    // The game never destroys its keyboard; the simulator does, after the last frame, so
    // that leak checkers see a clean exit.
    auto* keyboard = new Devices::Keyboard();
    Devices::setKeyboard(keyboard);
    manager.setLogicController(controller);
    QuitWatcher quitWatcher;

    long frame = 0;
    bool dead = false;
    while (frame < options.frames && !dead && !quitWatcher.quit) {
        ++frame;
        raiseScheduledKeys(options.holds, frame);
        const bool wasDead = running->getTransition() == "DEAD";
        controller->onUpdate(options.frameMs);
        dead = !wasDead && running->getTransition() == "DEAD";
        if (options.every > 0 && frame % options.every == 0) {
            std::printf("frame %ld\n", frame);
            printGrid(*running);
        }
    }
    if (options.grid) {
        printGrid(*running);
    }

    // The running state is the controller's current one exactly while its transition is
    // empty: any name it returns sends the controller to the title at once, and the
    // title's "START" enters it again, which empties the name.
    const char* state = running->getTransition().empty() ? "RUNNING" : "TITLE";
    std::printf("frames=%ld elapsed=%.2f state=%s dead=%d level=%d rings=%zu\n", frame,
                static_cast<double>(running->getElapsed()), state, dead ? 1 : 0,
                running->getLevel(), running->getPolygons().size());

    manager.setLogicController(nullptr);
    delete controller;
    Devices::setKeyboard(nullptr);
    delete keyboard;
    return 0;
}
