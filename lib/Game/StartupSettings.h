#pragma once

#include <optional>

namespace Game {

// The first half of start-up: decides which configuration the game runs with.
//   1. The settings file is './SETTINGS_quorlith.cfg', or the first argument when it
//      begins with "SETTINGS_" and holds no "==". It is read into the overrides
//      (missing is fine) and its name stored there as SETTINGS_FILE.
//   2. "quorlith.cfg" from the working directory becomes the global configuration.
//   3. The next argument, when it ends in ".cfg" and holds no "==", is an extra
//      configuration file read on top; a missing or empty one ends start-up.
//   4. Every later argument 'key==value' (pieces trimmed) is added to the overrides;
//      arguments beginning with "-" and any other form are ignored.
// Returns std::nullopt when start-up goes on, or the exit code (1) when the program
// must end now.
std::optional<int> readStartupConfiguration(int argc, const char* const* argv);

}  // namespace Game
