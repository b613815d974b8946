#include "Render/OGL/GL.h"

namespace Render {
namespace OGL {

bool hasGLExtension(const char* name) {
    return epoxy_has_gl_extension(name);
}

int glVersion() {
    return epoxy_gl_version();
}

}  // namespace OGL
}  // namespace Render
