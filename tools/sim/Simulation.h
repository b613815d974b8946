#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "tools/sim/SimOptions.h"

namespace Sim {

// How a simulated game ended.
struct Result {
    long frames = 0;       // frames run
    float elapsed = 0.0f;  // the running state's clock, ms
    bool running = false;  // the running state is the current one
    bool dead = false;     // the last frame was the one of a death
    bool quit = false;     // the title state raised the quit request
    int level = 0;
    std::size_t rings = 0;
};

// Plays the game's real states and logic controller without a window, as quorlith-sim
// does: the game manager is built from the configuration as the game builds it, the
// running state gets a view that draws nothing, a real keyboard keeps the held keys,
// and every frame is one update of the controller with the options' frame time. The
// scripted keys are raised as key events on the bus, as the window raises them. It
// stops after options.frames frames, after the frame of a death or after the frame of
// the quit request.
//
// The configuration must have been read (Game::readStartupConfiguration). Grids are
// printed to `grids` as --grid and --every ask; null prints none. Everything it builds
// is released again when it returns or when a report hook throws through it.
Result play(const Options& options, std::FILE* grids);

// frames=<n> elapsed=<ms> state=<RUNNING|TITLE> dead=<0|1> level=<n> rings=<n>
std::string summaryLine(const Result& result);

}  // namespace Sim
