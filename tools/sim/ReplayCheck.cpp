#include "tools/sim/ReplayCheck.h"

#include <cstdio>
#include <cstring>

namespace Sim {

namespace {

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

ReplayCheck checkReplay(const Tool::Replay& recorded, const Tool::ReplaySession::Outcome& played) {
    ReplayCheck check;
    check.same = played.ended && played.collided && played.frames == recorded.frames.size() &&
                 bitsOf(played.elapsed) == bitsOf(recorded.endElapsed) &&
                 played.level == recorded.endLevel;
    char line[256];
    std::snprintf(line, sizeof line,
                  "replay frames=%u elapsed=%.2f level=%d recorded frames=%zu elapsed=%.2f "
                  "level=%d %s%s",
                  played.frames, static_cast<double>(played.elapsed), played.level,
                  recorded.frames.size(), static_cast<double>(recorded.endElapsed),
                  static_cast<int>(recorded.endLevel), check.same ? "same" : "DIFFERENT",
                  played.collided ? "" : " (no collision)");
    check.line = line;
    return check;
}

}  // namespace Sim
