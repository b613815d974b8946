#pragma once

namespace MatSys {
class I_Texture;
}

namespace Render {

// An off-screen render target: a framebuffer whose colour goes to a render
// buffer of its own or to a texture.
class I_RenderBuffer {
public:
    // The binding point (whole framebuffer, read or draw) and the storage of
    // the own render buffer. Only the TEX kinds accept a texture. Any int may be
    // passed; a value outside 1..9 gives an invalid render buffer.
    enum RBType : int {
        RBUF_FB_RGB = 1,
        RBUF_FB_RGBA = 2,
        RBUF_FB_TEX = 3,
        RBUF_READ_RGB = 4,
        RBUF_READ_RGBA = 5,
        RBUF_READ_TEX = 6,
        RBUF_DRAW_RGB = 7,
        RBUF_DRAW_RGBA = 8,
        RBUF_DRAW_TEX = 9
    };

    virtual ~I_RenderBuffer() {}

    // True when the framebuffer could be made and is complete.
    virtual bool isValid() const = 0;
    // Binds the framebuffer; with a texture (not owned, may be null) it first
    // attaches that texture (slice layer of a 3D texture) as the colour target.
    virtual void beginUsing(MatSys::I_Texture* texture, int layer) = 0;
    // Binds the window's framebuffer again.
    virtual void endUsing() = 0;
};

}  // namespace Render
