#include "Render/OGL/RenderBuffer.h"

#include "Render/OGL/GL.h"

#include "MatSys/I_Texture.h"
#include "Util/FatalReport.h"

namespace Render {
namespace OGL {

namespace {

constexpr int kNotRead = -1;
int l_maxSize = kNotRead;  // process-wide, read once

struct KindInfo {
    unsigned bindingPoint;
    unsigned storage;
    bool takesTexture;
};

// By RBType; false when the value names no kind.
bool kindOf(Render::I_RenderBuffer::RBType type, KindInfo& info) {
    switch (type) {
        case Render::I_RenderBuffer::RBUF_FB_RGB:
            info = {GL_FRAMEBUFFER, GL_RGB, false};
            return true;
        case Render::I_RenderBuffer::RBUF_FB_RGBA:
            info = {GL_FRAMEBUFFER, GL_RGBA, false};
            return true;
        case Render::I_RenderBuffer::RBUF_FB_TEX:
            info = {GL_FRAMEBUFFER, GL_DEPTH_STENCIL, true};
            return true;
        case Render::I_RenderBuffer::RBUF_READ_RGB:
            info = {GL_READ_FRAMEBUFFER, GL_RGB, false};
            return true;
        case Render::I_RenderBuffer::RBUF_READ_RGBA:
            info = {GL_READ_FRAMEBUFFER, GL_RGBA, false};
            return true;
        case Render::I_RenderBuffer::RBUF_READ_TEX:
            info = {GL_READ_FRAMEBUFFER, GL_DEPTH_STENCIL, true};
            return true;
        case Render::I_RenderBuffer::RBUF_DRAW_RGB:
            info = {GL_DRAW_FRAMEBUFFER, GL_RGB, false};
            return true;
        case Render::I_RenderBuffer::RBUF_DRAW_RGBA:
            info = {GL_DRAW_FRAMEBUFFER, GL_RGBA, false};
            return true;
        case Render::I_RenderBuffer::RBUF_DRAW_TEX:
            info = {GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL, true};
            return true;
    }
    return false;
}

int textureDepth(const MatSys::I_Texture& texture) {
    int width = 0;
    int height = 0;
    int depth = 0;
    texture.getSize(width, height, depth);
    return depth;
}

}  // namespace

int RenderBuffer::maxSize() {
    return l_maxSize;
}

RenderBuffer::RenderBuffer(int width, int height, RBType type, MatSys::I_Texture* texture,
                           int layer)
    : width(width), height(height), textureName(texture ? texture->getID() : 0), layer(layer) {
    if (!hasGLExtension("GL_EXT_framebuffer_object")) {
        this->width = this->height = 0;
        return;
    }
    if (l_maxSize == kNotRead) {
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &l_maxSize);
    }
    if (width > l_maxSize || height > l_maxSize) {
        this->width = this->height = 0;
        return;
    }
    KindInfo kind{};
    if (!kindOf(type, kind)) {
        // A kind outside 1..9 has no binding point: an invalid render buffer.
        this->width = this->height = 0;
        return;
    }
    bindingPoint = kind.bindingPoint;
    if (texture && !kind.takesTexture) {
        QUORLITH_FATAL("Must used RBUF_?_TEX for RenderBuffer with texture");
    }
    makeFramebuffer(texture, kind.storage);
}

// The framebuffer with its render buffer, colour attachment 0 and completeness.
void RenderBuffer::makeFramebuffer(MatSys::I_Texture* texture, unsigned storage) {
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(bindingPoint, framebuffer);
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, storage, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    if (texture) {
        // The render buffer of a TEX kind is made but attached nowhere.
        attachTexture(texture, layer);
    } else {
        glFramebufferRenderbuffer(bindingPoint, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  renderbuffer);
    }
    if (glCheckFramebufferStatus(bindingPoint) != GL_FRAMEBUFFER_COMPLETE) {
        width = height = 0;
    }
    glBindFramebuffer(bindingPoint, 0);
}

// Colour attachment 0 at level 0: a 2D texture whole, a 3D texture by one slice.
void RenderBuffer::attachTexture(MatSys::I_Texture* texture, int newLayer) {
    textureName = texture->getID();
    if (textureDepth(*texture) >= 2) {
        layer = newLayer;
#if QUORLITH_DESKTOP_GL
        glFramebufferTexture3D(bindingPoint, GL_COLOR_ATTACHMENT0, GL_TEXTURE_3D, textureName, 0,
                               layer);
#endif
        // Without 3-D textures nothing is attached and the framebuffer stays incomplete.
    } else {
        glFramebufferTexture2D(bindingPoint, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textureName, 0);
    }
}

RenderBuffer::~RenderBuffer() {
    if (renderbuffer != 0) {
        glDeleteRenderbuffers(1, &renderbuffer);
    }
    if (framebuffer != 0) {
        glDeleteFramebuffers(1, &framebuffer);
    }
}

bool RenderBuffer::isValid() const {
    return width != 0 && height != 0;
}

void RenderBuffer::beginUsing(MatSys::I_Texture* texture, int newLayer) {
    glBindFramebuffer(bindingPoint, framebuffer);
    if (!texture) {
        return;
    }
    if (texture->getID() == textureName && newLayer == layer) {
        return;
    }
    attachTexture(texture, newLayer);
}

void RenderBuffer::endUsing() {
    glBindFramebuffer(bindingPoint, 0);
}

}  // namespace OGL
}  // namespace Render
