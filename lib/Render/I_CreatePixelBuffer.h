#pragma once

#include "Render/I_PixelBuffer.h"
#include "Render/RenderType.h"

namespace Render {

// Maker of pixel buffer objects.
class I_CreatePixelBuffer {
public:
    virtual ~I_CreatePixelBuffer() {}

    // A pixel buffer of size bytes, owned by the caller, or null when it cannot
    // be made with that size.
    virtual I_PixelBuffer* createPixelBuffer(int size, BufferDataType usage) = 0;
};

}  // namespace Render
