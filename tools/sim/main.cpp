// quorlith-sim: plays the real game logic without a window. The configuration is read
// by the game's own start-up code, the logic controller holds the real running and
// title states (the running state with a view that draws nothing), a real keyboard
// keeps the held keys, and every frame is one update of the controller with a fixed
// frame time. Scripted keys are raised as key events on the bus, as the window raises
// them. The output depends only on the configuration and the options.

#include <cstdio>

#include "CFG/Global.h"
#include "Game/StartupSettings.h"
#include "game/ReplaySession.h"
#include "tools/sim/ReplayCheck.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/Simulation.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kReplayDiffers = 1;

}  // namespace

int main(int argc, char** argv) {
    Sim::Options options;
    try {
        options = Sim::parseOptions(argc, argv);
    } catch (const Sim::UsageError& error) {
        std::fprintf(stderr, "quorlith-sim: %s\n%s", error.what(), Sim::usageText());
        return kUsageError;
    }
    if (options.help) {
        std::fputs(Sim::usageText(), stdout);
        return 0;
    }
    if (const auto exitCode = Game::readStartupConfiguration(
            static_cast<int>(options.gameArgs.size()), options.gameArgs.data())) {
        return *exitCode;
    }
    if (!options.replay.empty()) {
        CFG::getDefaultOverrides()->add("REPLAY_PLAY", options.replay);
    }
    const Sim::Result result = Sim::play(options, stdout);
    std::printf("%s\n", Sim::summaryLine(result).c_str());
    if (options.check) {
        const Tool::ReplaySession& session = Tool::ReplaySession::instance();
        const Sim::ReplayCheck check =
            Sim::checkReplay(*session.playedReplay(), session.playbackOutcome());
        std::printf("%s\n", check.line.c_str());
        if (!check.same) {
            return kReplayDiffers;
        }
    }
    return 0;
}
