#include "Render/OGL/GLErrors.h"

#include "Render/OGL/GL.h"

namespace Render {
namespace OGL {

namespace {
// A context that has lost itself keeps answering GL_CONTEXT_LOST; never spin on it.
constexpr int kMaxPendingErrors = 64;
}  // namespace

void drainGLErrors() {
    for (int i = 0; i < kMaxPendingErrors && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace OGL
}  // namespace Render
