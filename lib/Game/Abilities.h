#pragma once

#include <string>

namespace Render {
class I_RenderAbilities;
}

namespace Game {

// The start of every ability's configuration key: "INFO_HAVE_VBOS", "INFO_MAX_FBO_SIZE".
extern const char* const kAbilityKeyPrefix;

// Joins the renderer's abilities with the configuration, ability by ability in the
// start-up order (0, 1, 2, 4, 3, 5, 7, 6, 8 .. 12): when the process-wide configuration
// holds a non-empty value for "INFO_" + the ability's name, that value, read as an
// integer, overrides the ability (setAbility); otherwise the detected value is added to
// the default overrides under that key in decimal, so every later configuration reader
// sees it. Needs the OpenGL context for the detection. A configured value that is not a
// number throws std::domain_error.
void publishAbilities(Render::I_RenderAbilities& abilities);

// Ends the program with the fatal report ("<title> requires support for <name>") unless
// the "INFO_" key of every named ability (comma-separated, pieces trimmed, empty ones
// dropped) reads YES, Y or 1. Runs after publishAbilities, whose keys it reads.
// Quorlith requires none; the check stays for games that do.
void requireAbilities(const std::string& title, const std::string& names);

}  // namespace Game
