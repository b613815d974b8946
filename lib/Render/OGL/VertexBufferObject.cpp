#include "Render/OGL/VertexBufferObject.h"

#include "Render/OGL/GL.h"

#include "Render/OGL/BufferStore.h"

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
    return hasGLExtension("GL_ARB_vertex_buffer_object");
}

void VertexBufferObject::constructVBO(unsigned usage) {
    if (size <= 0 || !VBOsSupported()) {
        size = 0;
        return;
    }
    bufferName = createBufferStore(target, size, usage);
    if (bufferName == 0) {
        size = 0;
    }
}

void VertexBufferObject::getData(void* dest, int byteCount, int bytePos) const {
    readBufferData(target, dest, byteCount, bytePos);
}

void VertexBufferObject::putData(const void* src, int byteCount, int bytePos) {
    writeBufferData(target, src, byteCount, bytePos);
}

}  // namespace OGL
}  // namespace Render
