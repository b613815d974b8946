#pragma once

#include <string>

#include "MatSys/I_TextureMaker.h"

namespace MatSys::OGL {

// Makes OpenGL textures from pixel blocks or from TGA files in a load directory. Option
// words in the name choose filtering, mipmaps, compression and 2D/3D
// (MatSys::TextureOptionsMaker).
class TextureMaker : public I_TextureMaker {
public:
    explicit TextureMaker(const std::string& loadDir = std::string());

    // A new MatSys::OGL::Texture. Unless the name says "2D" (the default) or the depth is
    // set, an image whose height is its width times its width is a stack of square
    // slices and becomes a width^3 3D texture (16 x 256 gives 16 x 16 x 16). Null, before
    // OpenGL allocates anything, when a side exceeds kMaxTextureSide (16384) or the
    // texels, slices counted, exceed kMaxTexturePixels (16384 x 16384; TextureLimits.h).
    I_Texture* create(const std::string& name, unsigned char* pixels, unsigned bitsPerPixel,
                      unsigned width, unsigned height, unsigned depth) override;
    // createFromTGA() for names ending in ".tga" (exact case); null otherwise.
    I_Texture* create(const std::string& name) override;

    // A non-empty directory without a final "/" gets one.
    virtual void setLoadDir(const std::string& dir);
    // Reads load directory + name as a TGA image; the texture's options come from the
    // name without its extension ('font.NEAR.tga' reads as 'font.NEAR'). Null when the
    // file cannot be read, or when the size in its header exceeds the limits above: that
    // is checked before the pixels are allocated and read.
    virtual I_Texture* createFromTGA(const std::string& name);

    const std::string& getLoadDir() const { return loadDir; }

private:
    std::string loadDir;
};

}  // namespace MatSys::OGL
