#include "Render/OGL/VertexArray.h"

#include "Render/OGL/GL.h"

#include <cstring>

#include "Render/OGL/GLErrors.h"
#include "Util/FatalReport.h"

namespace Render {
namespace OGL {

namespace {

constexpr int kVertexDescriptor = 0;
constexpr int kTextureDescriptor = 1;
constexpr int kColorDescriptor = 2;
constexpr int kSecondaryColorDescriptor = 3;
constexpr int kBytesPerTriple = 3 * static_cast<int>(sizeof(float));

// Bytes of one value of an OpenGL type from GL_BYTE to GL_DOUBLE; the 2-, 3- and
// 4-byte packed types and anything outside the range count 0.
int glTypeSize(unsigned glType) {
    switch (glType) {
        case GL_BYTE:
        case GL_UNSIGNED_BYTE:
            return 1;
        case GL_SHORT:
        case GL_UNSIGNED_SHORT:
            return 2;
        case GL_INT:
        case GL_UNSIGNED_INT:
        case GL_FLOAT:
            return 4;
        case GL_DOUBLE:
            return 8;
        default:
            return 0;
    }
}

}  // namespace

VertexArray::VertexArray(int size) : target(GL_ARRAY_BUFFER), size(size) {
    if (size > 0) {
        data.reset(new unsigned char[size]());
    }
}

VertexArray::VertexArray(int size, NoClientBlock) : target(GL_ARRAY_BUFFER), size(size) {}

VertexArray::~VertexArray() = default;

int VertexArray::getBufferSize() const {
    return size;
}

void VertexArray::defineVertexInfo(int count, DataType type) {
    setDataInfo(kVertexDescriptor, count, type);
}

void VertexArray::defineTextureInfo(int count, DataType type) {
    setDataInfo(kTextureDescriptor, count, type);
}

void VertexArray::defineColorInfo(int count, DataType type) {
    setDataInfo(kColorDescriptor, count, type);
}

void VertexArray::defineAttrInfo(int count, DataType type) {
    setDataInfo(kFirstAttrDescriptor, count, type);
}

void VertexArray::defineAttrInfo(int index, int count, DataType type) {
    setDataInfo(kFirstAttrDescriptor + index, count, type);
}

void VertexArray::setUseVertexInfoAsTextureInfo(bool use) {
    useVertexInfoAsTextureInfo = use;
}

// The new component starts where the vertex ended so far; then the stride grows.
void VertexArray::setDataInfo(int descriptor, int count, DataType type) {
    unsigned glType = 0;
    switch (type) {
        case DT_FLOAT:
            glType = GL_FLOAT;
            break;
        case DT_UBYTE:
            glType = GL_UNSIGNED_BYTE;
            break;
        case DT_SHORT:
            glType = GL_SHORT;
            break;
        default:
            QUORLITH_FATAL("UNKNOWN VertexArrayDataType " << static_cast<int>(type));
    }
    // An attribute index outside 0..3 would write past the descriptor table.
    if (descriptor < 0 || descriptor >= kDescriptors) {
        return;
    }
    Descriptor& d = descriptors[descriptor];
    d.count = count;
    d.glType = glType;
    d.start = static_cast<std::uintptr_t>(stride);
    updateStride();
}

void VertexArray::updateStride() {
    stride = 0;
    for (const Descriptor& d : descriptors) {
        stride += d.count * glTypeSize(d.glType);
    }
}

const void* VertexArray::componentPointer(int index) const {
    const Descriptor& d = descriptors[index];
    if (data) {
        return data.get() + d.start;
    }
    return reinterpret_cast<const void*>(d.start);
}

void VertexArray::getVertices(float* dest, int count, int bytePos) const {
    getData(dest, count * kBytesPerTriple, bytePos);
}

void VertexArray::putVertices(const float* src, int count, int bytePos) {
    putData(src, count * kBytesPerTriple, bytePos);
}

void VertexArray::getData(void* dest, int byteCount, int bytePos) const {
    if (data && byteCount > 0) {
        std::memcpy(dest, data.get() + bytePos, static_cast<size_t>(byteCount));
    }
}

void VertexArray::putData(const void* src, int byteCount, int bytePos) {
    if (data && byteCount > 0) {
        std::memcpy(data.get() + bytePos, src, static_cast<size_t>(byteCount));
    }
}

void VertexArray::beginUsing() const {
    // Name 0 unbinds any buffer, so the starts are read as client pointers.
    glBindBuffer(target, bufferName);
    const Descriptor& texture = descriptors[kTextureDescriptor];
    if (texture.count) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(texture.count, texture.glType, stride,
                          componentPointer(kTextureDescriptor));
    }
    const Descriptor& color = descriptors[kColorDescriptor];
    if (color.count) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(color.count, color.glType, stride, componentPointer(kColorDescriptor));
    }
    const Descriptor& secondary = descriptors[kSecondaryColorDescriptor];
#if QUORLITH_DESKTOP_GL
    if (secondary.count) {
        glEnableClientState(GL_SECONDARY_COLOR_ARRAY);
        glSecondaryColorPointer(secondary.count, secondary.glType, stride,
                                componentPointer(kSecondaryColorDescriptor));
    }
#else
    // The browser has no secondary colour: the component is not passed on.
    static_cast<void>(secondary);
#endif
    const Descriptor& vertex = descriptors[kVertexDescriptor];
    if (vertex.count) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(vertex.count, vertex.glType, stride, componentPointer(kVertexDescriptor));
        if (useVertexInfoAsTextureInfo) {
            // Replaces any texture coordinate component bound above.
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(vertex.count, vertex.glType, stride,
                              componentPointer(kVertexDescriptor));
        }
    }
    drainGLErrors();
}

void VertexArray::endUsing() const {
    if (descriptors[kTextureDescriptor].count) {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (descriptors[kColorDescriptor].count) {
        glDisableClientState(GL_COLOR_ARRAY);
    }
    if (descriptors[kSecondaryColorDescriptor].count) {
        glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
    }
    if (descriptors[kVertexDescriptor].count) {
        glDisableClientState(GL_VERTEX_ARRAY);
        if (useVertexInfoAsTextureInfo) {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
    }
    glBindBuffer(target, 0);
}

}  // namespace OGL
}  // namespace Render
