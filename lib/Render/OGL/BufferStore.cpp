#include "Render/OGL/BufferStore.h"

#include <epoxy/gl.h>

namespace Render {
namespace OGL {

bool allocateBufferStore(unsigned target, unsigned name, int size, unsigned usage) {
    for (int attempt = 0; attempt < kStoreAttempts; ++attempt) {
        glBindBuffer(target, name);
        glBufferData(target, size, nullptr, usage);
        glMapBuffer(target, GL_WRITE_ONLY);
        if (glUnmapBuffer(target) == GL_TRUE) {
            return true;
        }
    }
    return false;
}

}  // namespace OGL
}  // namespace Render
