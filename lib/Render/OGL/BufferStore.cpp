#include "Render/OGL/BufferStore.h"

#include "Render/OGL/GL.h"

#include "Render/OGL/GLErrors.h"

namespace Render {
namespace OGL {

bool allocateBufferStore(unsigned target, unsigned name, int size, unsigned usage) {
#if QUORLITH_DESKTOP_GL
    for (int attempt = 0; attempt < kStoreAttempts; ++attempt) {
        glBindBuffer(target, name);
        glBufferData(target, size, nullptr, usage);
        glMapBuffer(target, GL_WRITE_ONLY);
        if (glUnmapBuffer(target) == GL_TRUE) {
            return true;
        }
    }
#else
    // Without buffer mapping the store cannot be checked: no buffer object is made.
    static_cast<void>(target), static_cast<void>(name), static_cast<void>(size);
    static_cast<void>(usage);
#endif
    return false;
}

unsigned createBufferStore(unsigned target, int size, unsigned usage) {
    GLuint name = 0;
    glGenBuffers(1, &name);
    bool ready = allocateBufferStore(target, name, size, usage);
    glBindBuffer(target, 0);
    drainGLErrors();
    if (!ready) {
        // An unusable buffer is given back at once instead of living on unused.
        glDeleteBuffers(1, &name);
        return 0;
    }
    return name;
}

void readBufferData(unsigned target, void* dest, int byteCount, int bytePos) {
#if QUORLITH_DESKTOP_GL
    if (byteCount > 0) {
        glGetBufferSubData(target, bytePos, byteCount, dest);
    }
#else
    // No buffer object is ever made in the browser (see allocateBufferStore).
    static_cast<void>(target), static_cast<void>(dest), static_cast<void>(byteCount);
    static_cast<void>(bytePos);
#endif
}

void writeBufferData(unsigned target, const void* src, int byteCount, int bytePos) {
    if (byteCount > 0) {
        glBufferSubData(target, bytePos, byteCount, src);
    }
}

}  // namespace OGL
}  // namespace Render
