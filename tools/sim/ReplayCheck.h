#pragma once

#include <string>

#include "game/Replay.h"
#include "game/ReplaySession.h"

namespace Sim {

// Whether a played replay ended as it was recorded, and the line that says so.
struct ReplayCheck {
    bool same = false;
    // replay frames=<n> elapsed=<ms> level=<n> recorded frames=<n> elapsed=<ms> level=<n>
    // <same|DIFFERENT>; a run that did not end in a collision adds "(no collision)".
    std::string line;
};

// The same end: a collision in the recorded frame, the elapsed time with the very same
// bits, and the same level.
ReplayCheck checkReplay(const Tool::Replay& recorded, const Tool::ReplaySession::Outcome& played);

}  // namespace Sim
