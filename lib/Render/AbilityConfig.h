#pragma once

namespace Render {

class I_RenderAbilities;

// Joins the renderer's abilities with the configuration, ability by ability in
// the start-up order (0, 1, 2, 4, 3, 5, 7, 6, 8 .. 12): when the process-wide
// configuration holds a non-empty value for "INFO_" + the ability's name, that
// value, read as an integer, overrides the ability (setAbility); otherwise the
// detected value is added to the default overrides under that key in decimal,
// so every later configuration reader sees it. Needs the OpenGL context for the
// detection. A configured value that is not a number throws std::domain_error.
void publishAbilities(I_RenderAbilities& abilities);

}  // namespace Render
