#include "MatSys/OGL/Texture.h"

#include "Render/OGL/GL.h"

#include <algorithm>

#include "MatSys/TextureLimits.h"

namespace MatSys::OGL {

namespace {

GLenum pixelFormatFor(unsigned bitsPerPixel) {
    switch (bitsPerPixel) {
        case 32:
            return GL_RGBA;
        case 64:
            return GL_RGBA32F_ARB;
        case 24:
            return GL_RGB;
        default:
            return GL_ALPHA;
    }
}

GLint filterFor(const TextureOptions& options) {
    return options.linear ? GL_LINEAR : GL_NEAREST;
}

// Sets a pixel-store alignment for the lifetime of the object and restores the old one.
class ScopedAlignment {
public:
    explicit ScopedAlignment(GLenum which) : parameter(which) {
        glGetIntegerv(parameter, &saved);
        glPixelStorei(parameter, 1);
    }
    ~ScopedAlignment() { glPixelStorei(parameter, saved); }

private:
    GLenum parameter;
    GLint saved = 4;
};

// Units OpenGL names (GL_TEXTURE0 to GL_TEXTURE31). GL_TEXTURE0 + unit for any other
// int would overflow or name another enumerant altogether.
bool isTextureUnit(int unit) {
    return unit >= 0 && unit < kMaxTextureUnits;
}

GLenum textureUnitEnum(int unit) {
    return GLenum(GL_TEXTURE0) + GLenum(unit);
}

}  // namespace

Texture::Texture(const unsigned char* pixelBlock, unsigned bitsPerPixel, unsigned w, unsigned h,
                 unsigned d, const TextureOptions& textureOptions)
    : pixels(pixelBlock),
      width(w),
      height(h),
      depth(d),
      target(d < 2 ? GL_TEXTURE_2D : GL_TEXTURE_3D),
      pixelFormat(pixelFormatFor(bitsPerPixel)),
      id(0),
      options(textureOptions) {
    createTexture();
    pixels = nullptr;
}

Texture::~Texture() {
    if (id != 0) {
        glDeleteTextures(1, &id);
    }
}

void Texture::createTexture() {
    glGenTextures(1, &id);
    glBindTexture(target, id);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filterFor(options));
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filterFor(options));
    glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (target == GL_TEXTURE_3D) {
        upload3D();
    } else {
        upload2D();
    }
    // Errors are consumed, not reported: a refused texture keeps its name.
    while (glGetError() != GL_NO_ERROR) {
    }
}

void Texture::upload3D() {
    glTexParameteri(target, GL_TEXTURE_WRAP_R, GL_REPEAT);
    // Rows of the block are packed; without this an RGB width that is not a multiple of
    // four would make OpenGL read past the end of the caller's pixels.
    ScopedAlignment unpack(GL_UNPACK_ALIGNMENT);
#if QUORLITH_DESKTOP_GL
    glTexImage3D(target, 0, GL_RGBA, GLsizei(width), GLsizei(height), GLsizei(depth), 0,
                 pixelFormat, GL_UNSIGNED_BYTE, pixels);
#endif
    // The browser has no 3-D textures: the block is not uploaded.
}

void Texture::upload2D() {
    if (options.mipmaps) {
        glTexParameteri(target, GL_GENERATE_MIPMAP, GL_TRUE);
    }
    if (pixelFormat == GL_RGBA32F_ARB) {
        glTexImage2D(target, 0, GL_RGBA32F_ARB, GLsizei(width), GLsizei(height), 0, GL_RGBA,
                     GL_FLOAT, pixels);
        return;
    }
    GLint internalFormat = GL_RGBA;
    if (pixelFormat == GL_ALPHA) {
        internalFormat = GL_ALPHA8;
    } else if (options.compressed) {
        internalFormat = GL_COMPRESSED_RGBA_ARB;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target, 0, internalFormat, GLsizei(width), GLsizei(height), 0, pixelFormat,
                 GL_UNSIGNED_BYTE, pixels);
}

void Texture::getSize(int& w, int& h, int& d) const {
    w = int(width);
    h = int(height);
    d = int(depth);
}

void Texture::beginUsing(int unit) const {
    if (!isTextureUnit(unit)) {
        return;
    }
    glActiveTexture(textureUnitEnum(unit));
    glClientActiveTexture(textureUnitEnum(unit));
    glBindTexture(target, id);
    glEnable(target);
}

void Texture::endUsing(int unit) const {
    if (!isTextureUnit(unit)) {
        return;
    }
    glActiveTexture(textureUnitEnum(unit));
    glClientActiveTexture(textureUnitEnum(unit));
    glDisable(target);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
}

void Texture::update(unsigned char* source, int x, int y, int w, int h, bool rgba) {
    GLenum format = rgba ? GL_RGBA : GL_RGB;
    GLenum type = GL_UNSIGNED_BYTE;
    if (pixelFormat == GL_ALPHA) {
        format = GL_ALPHA;
    } else if (pixelFormat == GL_RGBA32F_ARB) {
        type = GL_FLOAT;
    }
    // The caller's rows are packed (see upload3D).
    ScopedAlignment unpack(GL_UNPACK_ALIGNMENT);
    glTexSubImage2D(target, 0, x, y, w, h, format, type, source);
}

void Texture::setOptions(const TextureOptions& newOptions) {
    options = newOptions;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filterFor(options));
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filterFor(options));
}

unsigned Texture::getImageSize(bool rgba) const {
    unsigned layers = depth == 0 ? 1 : depth;
    return width * height * layers * (rgba ? 4u : 3u);
}

void Texture::getImage(unsigned char* dest, bool rgba) const {
    // getImageSize() counts packed rows; the default alignment of 4 would pad RGB rows
    // and write past the end of a block of that size.
    ScopedAlignment pack(GL_PACK_ALIGNMENT);
#if QUORLITH_DESKTOP_GL
    glGetTexImage(target, 0, rgba ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, dest);
#else
    // The browser cannot read a texture back: the image reads as black.
    std::fill(dest, dest + getImageSize(rgba), static_cast<unsigned char>(0));
#endif
}

}  // namespace MatSys::OGL
