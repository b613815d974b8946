#pragma once

#include "Render/I_RenderBuffer.h"

namespace MatSys {
class I_Texture;
}

namespace Render {

// Maker of off-screen render targets.
class I_CreateRenderBuffer {
public:
    virtual ~I_CreateRenderBuffer() {}

    // A valid render buffer of width x height pixels, owned by the caller, or
    // null. The texture (not owned, may be null) needs one of the TEX types;
    // layer is the slice of a 3D texture.
    virtual I_RenderBuffer* createRenderBuffer(int width, int height, I_RenderBuffer::RBType type,
                                               MatSys::I_Texture* texture, int layer) = 0;
};

}  // namespace Render
