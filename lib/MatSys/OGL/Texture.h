#pragma once

#include "MatSys/I_Texture.h"

namespace MatSys::OGL {

// An OpenGL texture, complete when constructed: GL_TEXTURE_2D for a depth below 2,
// GL_TEXTURE_3D otherwise. The pixel format follows the source's bits per pixel: 32
// RGBA, 64 float RGBA (GL_RGBA32F_ARB), 24 RGB, anything else alpha only. Owns its
// OpenGL name and deletes it when destroyed, so the context must still be alive then.
class Texture : public I_Texture {
public:
    // pixels may be null (contents undefined); they are not kept. OpenGL errors during
    // creation are consumed: a texture OpenGL refused still exists with its name.
    Texture(const unsigned char* pixels, unsigned bitsPerPixel, unsigned width, unsigned height,
            unsigned depth, const TextureOptions& options);
    ~Texture() override;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    const unsigned& getID() const override { return id; }
    void getSize(int& width, int& height, int& depth) const override;
    // A unit outside 0 to kMaxTextureUnits - 1 (TextureLimits.h) binds and releases nothing.
    void beginUsing(int unit) const override;
    void endUsing(int unit) const override;
    void update(unsigned char* pixels, int x, int y, int width, int height, bool rgba) override;
    const TextureOptions& getOptions() const override { return options; }
    void setOptions(const TextureOptions& newOptions) override;
    unsigned getImageSize(bool rgba) const override;
    void getImage(unsigned char* dest, bool rgba) const override;

    unsigned getTarget() const { return target; }
    unsigned getPixelFormat() const { return pixelFormat; }

private:
    void createTexture();
    void upload3D();
    void upload2D();

    const unsigned char* pixels;  // not owned; only during construction
    unsigned width;
    unsigned height;
    unsigned depth;
    unsigned target;
    unsigned pixelFormat;
    unsigned id;
    TextureOptions options;
};

}  // namespace MatSys::OGL
