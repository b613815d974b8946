#include "MatSys/OGL/TextureMaker.h"

#include <memory>

#include "MatSys/OGL/Texture.h"
#include "MatSys/TextureOptions.h"
#include "Media/TGA.h"
#include "Util/Strings.h"

namespace MatSys::OGL {

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
    if (!options.is2D && depth == 0 && width != 0 && height / width == width) {
        height = width;
        depth = width;
    }
    return new Texture(pixels, bitsPerPixel, width, height, depth, options);
}

I_Texture* TextureMaker::create(const std::string& name) {
    if (Util::endswith(name, ".tga")) {
        return createFromTGA(name);
    }
    return nullptr;
}

I_Texture* TextureMaker::createFromTGA(const std::string& name) {
    std::string path = loadDir + name;
    unsigned width = 0, height = 0, bitsPerPixel = 0;
    unsigned char* block = nullptr;
    if (!Media::TGA::loadFromFile(path.c_str(), &width, &height, &bitsPerPixel, &block)) {
        return nullptr;
    }
    std::unique_ptr<unsigned char[]> pixels(block);
    size_t dot = name.rfind('.');
    std::string textureName = dot == std::string::npos ? name : name.substr(0, dot);
    return create(textureName, pixels.get(), bitsPerPixel, width, height, 0);
}

}  // namespace MatSys::OGL
