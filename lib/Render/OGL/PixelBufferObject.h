#pragma once

#include "Render/I_PixelBuffer.h"

namespace Render {
namespace OGL {

// A pixel buffer object. beginUsing(true) binds it as the pack buffer (pixel reads
// such as glReadPixels land in it), beginUsing(false) as the unpack buffer
// (uploads and pixel draws read from it); getData and putData work on the buffer
// bound to the target last chosen. Needs a current context unless the size is 0.
class PixelBufferObject : public Render::I_PixelBuffer {
public:
    // size bytes with the OpenGL usage; getBufferSize() is 0 when it cannot be made.
    PixelBufferObject(int size, unsigned usage);
    ~PixelBufferObject() override;

    int getBufferSize() const override;
    void beginUsing(bool forRead) const override;
    void endUsing() const override;
    void getData(void* dest, int byteCount, int bytePos) const override;
    void putData(const void* src, int byteCount, int bytePos) override;

    unsigned getTarget() const { return target; }

private:
    mutable unsigned target;  // GL_PIXEL_PACK_BUFFER or GL_PIXEL_UNPACK_BUFFER
    unsigned bufferName = 0;
    int size = 0;  // 0 when the buffer cannot be made
};

}  // namespace OGL
}  // namespace Render
