#include "Render/OGL/PixelBufferObject.h"

#include "Render/OGL/GL.h"

#include "Render/OGL/BufferStore.h"

namespace Render {
namespace OGL {

PixelBufferObject::PixelBufferObject(int size, unsigned usage) : target(GL_PIXEL_PACK_BUFFER) {
    if (size <= 0 || !hasGLExtension("GL_ARB_pixel_buffer_object")) {
        return;
    }
    this->size = size;
    bufferName = createBufferStore(target, size, usage);
    if (bufferName == 0) {
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
    readBufferData(target, dest, byteCount, bytePos);
}

void PixelBufferObject::putData(const void* src, int byteCount, int bytePos) {
    writeBufferData(target, src, byteCount, bytePos);
}

}  // namespace OGL
}  // namespace Render
