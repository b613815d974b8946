#pragma once

#include <string>
#include <vector>

namespace TestSupport {

// The bytes of an uncompressed, bottom-first TGA file (type 3 for 8 bits, else type 2)
// with the given stored pixel bytes (B, G, R order for colour images).
inline std::string tgaFile(unsigned width, unsigned height, unsigned char bits,
                           const std::vector<unsigned char>& stored) {
    std::string bytes(18, '\0');
    bytes[2] = bits == 8 ? 3 : 2;
    bytes[12] = char(width & 0xff);
    bytes[13] = char(width >> 8);
    bytes[14] = char(height & 0xff);
    bytes[15] = char(height >> 8);
    bytes[16] = char(bits);
    bytes.append(stored.begin(), stored.end());
    return bytes;
}

// A TGA of width x height pixels all of one stored colour.
inline std::string tgaFilled(unsigned width, unsigned height, unsigned char bits,
                             std::vector<unsigned char> pixel) {
    std::vector<unsigned char> stored;
    for (unsigned i = 0; i < width * height; ++i)
        stored.insert(stored.end(), pixel.begin(), pixel.end());
    return tgaFile(width, height, bits, stored);
}

}  // namespace TestSupport
