#pragma once

#include "Render/OGL/VertexArray.h"

namespace Render {
namespace OGL {

// A vertex array whose bytes live in an OpenGL buffer object. getData and putData
// work on the buffer bound to GL_ARRAY_BUFFER, so call them between beginUsing
// and endUsing. Needs a current context unless the size is 0.
class VertexBufferObject : public VertexArray {
public:
    // A buffer object of size bytes with the OpenGL usage (GL_STATIC_DRAW, ...).
    // getBufferSize() is 0 when it cannot be made.
    VertexBufferObject(int size, unsigned usage);
    ~VertexBufferObject() override;

    void getData(void* dest, int byteCount, int bytePos) const override;
    void putData(const void* src, int byteCount, int bytePos) override;

    // True when the driver offers vertex buffer objects.
    static bool VBOsSupported();

protected:
    // Makes the buffer and proves its store by mapping and unmapping it.
    virtual void constructVBO(unsigned usage);
};

}  // namespace OGL
}  // namespace Render
