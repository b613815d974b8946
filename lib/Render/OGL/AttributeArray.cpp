#include "Render/OGL/AttributeArray.h"

#include "Render/OGL/GL.h"

#include "Render/OGL/GLErrors.h"
#include "Render/OGL/VertexArray.h"

namespace Render {
namespace OGL {

AttributeArray::AttributeArray(VertexArray* array) : array(array) {}

AttributeArray::~AttributeArray() = default;

int AttributeArray::getBufferSize() const {
    return array->getBufferSize();
}

void AttributeArray::defineVertexInfo(int count, DataType type) {
    array->defineVertexInfo(count, type);
}

void AttributeArray::defineTextureInfo(int count, DataType type) {
    array->defineTextureInfo(count, type);
}

void AttributeArray::defineColorInfo(int count, DataType type) {
    array->defineColorInfo(count, type);
}

void AttributeArray::defineAttrInfo(int count, DataType type) {
    array->defineAttrInfo(count, type);
}

void AttributeArray::defineAttrInfo(int index, int count, DataType type) {
    array->defineAttrInfo(index, count, type);
}

void AttributeArray::setUseVertexInfoAsTextureInfo(bool use) {
    array->setUseVertexInfoAsTextureInfo(use);
}

void AttributeArray::getVertices(float* dest, int count, int bytePos) const {
    array->getVertices(dest, count, bytePos);
}

void AttributeArray::putVertices(const float* src, int count, int bytePos) {
    array->putVertices(src, count, bytePos);
}

void AttributeArray::getData(void* dest, int byteCount, int bytePos) const {
    array->getData(dest, byteCount, bytePos);
}

void AttributeArray::putData(const void* src, int byteCount, int bytePos) {
    array->putData(src, byteCount, bytePos);
}

void AttributeArray::beginUsing() const {
    glBindBuffer(array->getTarget(), array->getBufferName());
    for (int i = 0; i < VertexArray::kDescriptors; ++i) {
        const VertexArray::Descriptor& d = array->getDescriptor(i);
        if (d.count) {
            glEnableVertexAttribArray(static_cast<GLuint>(i));
            glVertexAttribPointer(static_cast<GLuint>(i), d.count, d.glType, GL_FALSE,
                                  array->getStride(), array->componentPointer(i));
        }
    }
    drainGLErrors();
}

void AttributeArray::endUsing() const {
    for (int i = 0; i < VertexArray::kDescriptors; ++i) {
        if (array->getDescriptor(i).count) {
            glDisableVertexAttribArray(static_cast<GLuint>(i));
        }
    }
    glBindBuffer(array->getTarget(), 0);
}

}  // namespace OGL
}  // namespace Render
