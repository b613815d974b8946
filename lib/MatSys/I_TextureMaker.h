#pragma once

#include <string>

namespace MatSys {

class I_Texture;

// Makes textures; the caller owns what it makes. Null when nothing could be made.
class I_TextureMaker {
public:
    virtual ~I_TextureMaker() {}

    // From a pixel block that the caller keeps; options are read from the name.
    virtual I_Texture* create(const std::string& name, unsigned char* pixels, unsigned bitsPerPixel,
                              unsigned width, unsigned height, unsigned depth) = 0;
    // From a file named name.
    virtual I_Texture* create(const std::string& name) = 0;
};

}  // namespace MatSys
