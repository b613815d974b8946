#include "Render/OGL/GL.h"

#ifdef __EMSCRIPTEN__
#include <cstdio>
#include <cstring>
#endif

namespace Render {
namespace OGL {

#ifdef __EMSCRIPTEN__

// The emulation lists the WebGL extensions of the context, each with a "GL_" prefix,
// separated by spaces. The desktop extensions the engine asks for (buffer mapping,
// pixel buffers, blitting, float textures, ...) are not among them, so the parts that
// need them are told they are absent.
bool hasGLExtension(const char* name) {
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const std::size_t length = std::strlen(name);
    if (!list || length == 0) {
        return false;
    }
    for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == '\0' || at[length] == ' ';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

// WebGL 1 names itself "WebGL 1.0 (OpenGL ES 2.0 ...)": the first version number in the
// text, so that nothing that needs OpenGL 3 is tried.
int glVersion() {
    const char* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    for (const char* at = text; at && *at; ++at) {
        int major = 0;
        int minor = 0;
        if (std::sscanf(at, "%d.%d", &major, &minor) == 2) {
            return major * 10 + minor;
        }
    }
    return 0;
}

#else

bool hasGLExtension(const char* name) {
    return epoxy_has_gl_extension(name);
}

int glVersion() {
    return epoxy_gl_version();
}

#endif

}  // namespace OGL
}  // namespace Render
