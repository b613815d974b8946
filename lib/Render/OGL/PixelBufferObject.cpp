#include "Render/OGL/PixelBufferObject.h"

#include <epoxy/gl.h>

#include "Render/OGL/BufferStore.h"
#include "Render/OGL/GLErrors.h"

namespace Render {
namespace OGL {

PixelBufferObject::PixelBufferObject(int size, unsigned usage) : target(GL_PIXEL_PACK_BUFFER) {
    if (size <= 0 || !epoxy_has_gl_extension("GL_ARB_pixel_buffer_object")) {
        return;
    }
    this->size = size;
    glGenBuffers(1, &bufferName);
    bool ready = allocateBufferStore(target, bufferName, size, usage);
    glBindBuffer(target, 0);
    drainGLErrors();
    if (!ready) {
        // An unusable buffer is given back at once instead of living on unused.
        glDeleteBuffers(1, &bufferName);
        bufferName = 0;
        this->size = 0;
    }
}

PixelBufferObject::~PixelBufferObject() {
    if (bufferName != 0) {
        glDeleteBuffers(1, &bufferName);
    }
}

int PixelBufferObject::getBufferSize() const {
    return size;
}

void PixelBufferObject::beginUsing(bool forRead) const {
    target = forRead ? GL_PIXEL_PACK_BUFFER : GL_PIXEL_UNPACK_BUFFER;
    glBindBuffer(target, bufferName);
}

void PixelBufferObject::endUsing() const {
    glBindBuffer(target, 0);
}

void PixelBufferObject::getData(void* dest, int byteCount, int bytePos) const {
    if (byteCount > 0) {
        glGetBufferSubData(target, bytePos, byteCount, dest);
    }
}

void PixelBufferObject::putData(const void* src, int byteCount, int bytePos) {
    if (byteCount > 0) {
        glBufferSubData(target, bytePos, byteCount, src);
    }
}

}  // namespace OGL
}  // namespace Render
