#include "MatSys/OGL/TextureMaker.h"

#include <cstdint>
#include <memory>

#include "MatSys/OGL/Texture.h"
#include "MatSys/TextureLimits.h"
#include "MatSys/TextureOptions.h"
#include "Media/TGA.h"
#include "Util/OutOfMemory.h"
#include "Util/Strings.h"

namespace MatSys::OGL {

namespace {

// The size the texture will have: an image that is a stack of square slices (unless the
// options say 2D or a depth is given) becomes a width^3 volume. True when every side is at
// most kMaxTextureSide and the texels (slices counted) at most kMaxTexturePixels, which
// is checked before OpenGL allocates anything; within these the byte counts of the
// texture (getImageSize) fit in an unsigned.
bool textureSize(const TextureOptions& options, unsigned& width, unsigned& height,
                 unsigned& depth) {
    if (!options.is2D && depth == 0 && width != 0 && height / width == width) {
        height = width;
        depth = width;
    }
    const uint64_t side = kMaxTextureSide;
    if (width > side || height > side || depth > side) {
        return false;
    }
    const uint64_t layers = depth == 0 ? 1 : depth;
    return uint64_t(width) * height * layers <= kMaxTexturePixels;
}

// The name without its last "." and what follows ('font.NEAR.tga' gives 'font.NEAR').
std::string withoutExtension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

TextureMaker::TextureMaker(const std::string& dir) {
    setLoadDir(dir);
}

void TextureMaker::setLoadDir(const std::string& dir) {
    loadDir = dir;
    if (!loadDir.empty() && !Util::endswith(loadDir, "/")) {
        loadDir += "/";
    }
}

I_Texture* TextureMaker::create(const std::string& name, unsigned char* pixels,
                                unsigned bitsPerPixel, unsigned width, unsigned height,
                                unsigned depth) {
    TextureOptions options = TextureOptionsMaker().make(name);
    if (!textureSize(options, width, height, depth)) {
        return nullptr;
    }
    return new Texture(pixels, bitsPerPixel, width, height, depth, options);
}

I_Texture* TextureMaker::create(const std::string& name) {
    if (Util::endswith(name, ".tga")) {
        return createFromTGA(name);
    }
    return nullptr;
}

I_Texture* TextureMaker::createFromTGA(const std::string& name) try {
    std::string path = loadDir + name;
    std::string textureName = withoutExtension(name);
    // A size no texture may have is refused from the header, before the pixels are read.
    unsigned width = 0, height = 0, depth = 0;
    if (!Media::TGA::readSize(path.c_str(), &width, &height) ||
        !textureSize(TextureOptionsMaker().make(textureName), width, height, depth)) {
        return nullptr;
    }
    unsigned bitsPerPixel = 0;
    unsigned char* block = nullptr;
    if (!Media::TGA::loadFromFile(path.c_str(), &width, &height, &bitsPerPixel, &block)) {
        return nullptr;
    }
    std::unique_ptr<unsigned char[]> pixels(block);
    return create(textureName, pixels.get(), bitsPerPixel, width, height, 0);
} catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("TGA image", name);
}

}  // namespace MatSys::OGL
