#include "tools/sim/Simulation.h"

#include <memory>
#include <vector>

#include "CFG/Global.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "Game/GameManager.h"
#include "Game/LogicController.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"
#include "game/TitleLogic.h"

namespace Sim {

namespace {

// Notes the quit request, which the window application would act on.
class QuitWatcher : public EVT::I_EventConsumer {
public:
    QuitWatcher() { Util::Singleton<EVT::EventBus>::instance().addConsumer(EVT::ET_QUIT, this); }
    void handleEvent(EVT::I_Event* /*event*/) override { quit = true; }
    bool quit = false;
};

// Installs a keyboard while in scope. The game never destroys its keyboard; the
// simulator does, so that leak checkers see a clean exit.
class InstalledKeyboard {
public:
    InstalledKeyboard() { Devices::setKeyboard(&keyboard); }
    ~InstalledKeyboard() { Devices::setKeyboard(nullptr); }
    InstalledKeyboard(const InstalledKeyboard&) = delete;
    InstalledKeyboard& operator=(const InstalledKeyboard&) = delete;

private:
    Devices::Keyboard keyboard;
};

// Hands the controller to the manager while in scope, and takes it back before either
// goes.
class ControllerInManager {
public:
    ControllerInManager(Game::GameManager& gameManager, Game::LogicController* controller)
        : manager(gameManager) {
        manager.setLogicController(controller);
    }
    ~ControllerInManager() { manager.setLogicController(nullptr); }
    ControllerInManager(const ControllerInManager&) = delete;
    ControllerInManager& operator=(const ControllerInManager&) = delete;

private:
    Game::GameManager& manager;
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

void printGrid(const Tool::MainLogic& logic, std::FILE* out) {
    const int width = logic.getGridWidth();
    const unsigned char* cells = logic.getGrid();
    std::string line(static_cast<std::size_t>(width), '.');
    for (int y = 0; y < logic.getGridHeight(); ++y) {
        for (int x = 0; x < width; ++x) {
            line[static_cast<std::size_t>(x)] =
                cells[static_cast<std::size_t>(y) * width + x] != 0 ? '#' : '.';
        }
        std::fprintf(out, "%s\n", line.c_str());
    }
}

}  // namespace

Result play(const Options& options, std::FILE* grids) {
    // Assembled as the game assembles it, without the window, renderer and sound.
    CFG::InfoParser* parser = CFG::parser();
    Game::GameManager manager(
        parser->getNumber<int>("BASE_SCREEN_WIDTH"), parser->getNumber<int>("BASE_SCREEN_HEIGHT"),
        parser->getNumber<int>("FRAME_RATE"), parser->getNumber<int>("FRAME_SKIP"));
    auto controller = std::make_unique<Game::LogicController>();
    auto* running = new Tool::MainLogic(&manager, &Tool::createHeadlessView);
    controller->add("RUNNING", running, {{"*", "TITLE"}});
    controller->add("TITLE", new Tool::TitleLogic(&manager), {{"*", "RUNNING"}});
    InstalledKeyboard keyboard;
    ControllerInManager inManager(manager, controller.get());
    QuitWatcher quitWatcher;

    Result result;
    while (result.frames < options.frames && !result.dead && !quitWatcher.quit) {
        ++result.frames;
        raiseScheduledKeys(options.holds, result.frames);
        const bool wasDead = running->getTransition() == "DEAD";
        controller->onUpdate(options.frameMs);
        result.dead = !wasDead && running->getTransition() == "DEAD";
        if (grids && options.every > 0 && result.frames % options.every == 0) {
            std::fprintf(grids, "frame %ld\n", result.frames);
            printGrid(*running, grids);
        }
    }
    if (grids && options.grid) {
        printGrid(*running, grids);
    }

    // The running state is the controller's current one exactly while its transition is
    // empty: any name it returns sends the controller to the title at once, and the
    // title's "START" enters it again, which empties the name.
    result.running = running->getTransition().empty();
    result.quit = quitWatcher.quit;
    result.elapsed = running->getElapsed();
    result.level = running->getLevel();
    result.rings = running->getPolygons().size();
    return result;
}

std::string summaryLine(const Result& result) {
    char line[256];
    std::snprintf(line, sizeof line, "frames=%ld elapsed=%.2f state=%s dead=%d level=%d rings=%zu",
                  result.frames, static_cast<double>(result.elapsed),
                  result.running ? "RUNNING" : "TITLE", result.dead ? 1 : 0, result.level,
                  result.rings);
    return line;
}

}  // namespace Sim
