#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace IconGen {

// The CRC-32 of PNG chunks (and zip): polynomial 0xEDB88320, reflected, starting at and
// finished with all bits set.
std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0);

// The Adler-32 checksum that ends a zlib stream.
std::uint32_t adler32(const unsigned char* data, std::size_t size);

// A PNG file of 8-bit RGBA pixels (width * height * 4 bytes, top row first). The image
// data is a zlib stream of stored (uncompressed) deflate blocks: icons are small, and
// every PNG reader must accept stored blocks, so no compression library is needed.
// Empty when the sizes do not match the pixels or are not positive.
std::string encodePNG(int width, int height, const std::vector<unsigned char>& rgba);

}  // namespace IconGen
