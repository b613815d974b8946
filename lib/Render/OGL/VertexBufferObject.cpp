#include "Render/OGL/VertexBufferObject.h"

#include <epoxy/gl.h>

#include "Render/OGL/BufferStore.h"
#include "Render/OGL/GLErrors.h"

namespace Render {
namespace OGL {

VertexBufferObject::VertexBufferObject(int size, unsigned usage)
    : VertexArray(size, NoClientBlock()) {
    constructVBO(usage);
}

VertexBufferObject::~VertexBufferObject() {
    if (bufferName != 0) {
        glDeleteBuffers(1, &bufferName);
    }
}

bool VertexBufferObject::VBOsSupported() {
    return epoxy_has_gl_extension("GL_ARB_vertex_buffer_object");
}

void VertexBufferObject::constructVBO(unsigned usage) {
    if (size <= 0 || !VBOsSupported()) {
        size = 0;
        return;
    }
    glGenBuffers(1, &bufferName);
    bool ready = allocateBufferStore(target, bufferName, size, usage);
    glBindBuffer(target, 0);
    drainGLErrors();
    if (!ready) {
        // An unusable buffer is given back at once instead of living on unused.
        glDeleteBuffers(1, &bufferName);
        bufferName = 0;
        size = 0;
    }
}

void VertexBufferObject::getData(void* dest, int byteCount, int bytePos) const {
    if (byteCount > 0) {
        glGetBufferSubData(target, bytePos, byteCount, dest);
    }
}

void VertexBufferObject::putData(const void* src, int byteCount, int bytePos) {
    if (byteCount > 0) {
        glBufferSubData(target, bytePos, byteCount, src);
    }
}

}  // namespace OGL
}  // namespace Render
