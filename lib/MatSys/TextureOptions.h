#pragma once

#include <string>

namespace MatSys {

// How a texture is sampled and stored. A default-constructed set copies the process-wide
// defaults, s_defOpts, which start with every flag true.
struct TextureOptions {
    TextureOptions() { *this = s_defOpts; }
    constexpr TextureOptions(bool twoD, bool linearFilter, bool withMipmaps, bool compressedStorage)
        : is2D(twoD), linear(linearFilter), mipmaps(withMipmaps), compressed(compressedStorage) {}

    bool is2D;        // false: a 2D image of square slices may become a 3D texture
    bool linear;      // GL_LINEAR filters, else GL_NEAREST
    bool mipmaps;     // automatic mipmaps for 2D textures
    bool compressed;  // compressed RGBA storage for 8-bit-per-channel 2D textures

    static TextureOptions s_defOpts;
};

inline bool operator==(const TextureOptions& a, const TextureOptions& b) {
    return a.is2D == b.is2D && a.linear == b.linear && a.mipmaps == b.mipmaps &&
           a.compressed == b.compressed;
}

// Reads option words out of a name such as 'font.NEAR.NMIP': the name is split at ".",
// and each piece "2D"/"3D", "LINR"/"NEAR", "MIP"/"NMIP", "CMP"/"NCMP" (exact case) sets
// or clears its flag, later words winning. Other pieces are ignored.
class TextureOptionsMaker {
public:
    TextureOptions make(std::string name) const;
};

}  // namespace MatSys
