#pragma once

#include "Render/I_RenderBuffer.h"

namespace Render {
namespace OGL {

// An OpenGL framebuffer with one render buffer of its own. Its colour goes to that
// render buffer or, for the TEX kinds, to a texture of the material system (a 3D
// texture by one slice). Invalid (width and height 0) when framebuffers are not
// supported, the size exceeds the driver's maximum, the kind is unknown or the
// framebuffer is incomplete. Must be deleted while the context exists.
class RenderBuffer : public Render::I_RenderBuffer {
public:
    // texture is not owned and may be null; giving one with a kind other than
    // the TEX kinds is fatal. layer is the slice of a 3D texture.
    RenderBuffer(int width, int height, RBType type, MatSys::I_Texture* texture, int layer);
    ~RenderBuffer() override;

    bool isValid() const override;
    void beginUsing(MatSys::I_Texture* texture, int layer) override;
    void endUsing() override;

    unsigned getFramebufferName() const { return framebuffer; }
    unsigned getRenderbufferName() const { return renderbuffer; }
    unsigned getTextureName() const { return textureName; }
    int getLayer() const { return layer; }
    unsigned getBindingPoint() const { return bindingPoint; }

    // GL_MAX_RENDERBUFFER_SIZE, read when the first render buffer is made and
    // kept for the rest of the process; -1 before.
    static int maxSize();

private:
    void makeFramebuffer(MatSys::I_Texture* texture, unsigned storage);
    void attachTexture(MatSys::I_Texture* texture, int layer);

    int width;
    int height;
    unsigned framebuffer = 0;   // OpenGL framebuffer name
    unsigned renderbuffer = 0;  // OpenGL render buffer name
    unsigned textureName = 0;   // the attached texture, 0 for none
    int layer;                  // the attached slice of a 3D texture
    unsigned bindingPoint = 0;  // GL_FRAMEBUFFER, GL_READ_FRAMEBUFFER or GL_DRAW_FRAMEBUFFER
};

}  // namespace OGL
}  // namespace Render
