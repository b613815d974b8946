#pragma once

namespace Render {
namespace OGL {

// Reads glGetError until it reports no error, so that no error of the calls just
// made is left pending for later checks. Needs a current context.
void drainGLErrors();

}  // namespace OGL
}  // namespace Render
