#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/icongen/IconPainter.h"
#include "tools/icongen/PngWriter.h"

namespace {

std::uint32_t bigEndian(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    }
    return value;
}

std::uint32_t crcOf(const std::string& bytes) {
    return IconGen::crc32(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// A PNG file taken apart: the header fields and the inflated image data, checking
// every chunk's CRC and the zlib stream's stored blocks and checksum on the way.
struct ReadPNG {
    std::uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    std::string rows;
    std::vector<std::string> chunkTypes;
};

void inflateStored(const std::string& zlib, std::string& rows) {
    ASSERT_GE(zlib.size(), 6u);
    EXPECT_EQ(
        (static_cast<unsigned char>(zlib[0]) * 256 + static_cast<unsigned char>(zlib[1])) % 31, 0);
    std::size_t at = 2;
    bool last = false;
    while (!last) {
        ASSERT_LE(at + 5, zlib.size());
        last = (zlib[at] & 1) != 0;
        ASSERT_EQ(zlib[at] & 6, 0) << "not a stored block";
        const unsigned length = static_cast<unsigned char>(zlib[at + 1]) |
                                static_cast<unsigned char>(zlib[at + 2]) << 8;
        const unsigned inverse = static_cast<unsigned char>(zlib[at + 3]) |
                                 static_cast<unsigned char>(zlib[at + 4]) << 8;
        ASSERT_EQ(length ^ inverse, 0xFFFFu);
        ASSERT_LE(at + 5 + length, zlib.size());
        rows.append(zlib, at + 5, length);
        at += 5 + length;
    }
    ASSERT_EQ(at + 4, zlib.size());
    EXPECT_EQ(bigEndian(zlib, at),
              IconGen::adler32(reinterpret_cast<const unsigned char*>(rows.data()), rows.size()));
}

ReadPNG readPNG(const std::string& png) {
    ReadPNG read;
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string zlib;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = bigEndian(png, at);
        const std::string typed = png.substr(at + 4, 4 + length);
        EXPECT_EQ(bigEndian(png, at + 8 + length), crcOf(typed)) << typed.substr(0, 4);
        read.chunkTypes.push_back(typed.substr(0, 4));
        if (read.chunkTypes.back() == "IHDR") {
            read.width = bigEndian(typed, 4);
            read.height = bigEndian(typed, 8);
            read.bitDepth = typed[12];
            read.colourType = typed[13];
        } else if (read.chunkTypes.back() == "IDAT") {
            zlib += typed.substr(4);
        }
        at += 12 + length;
    }
    inflateStored(zlib, read.rows);
    return read;
}

const unsigned char* pixelAt(const std::vector<unsigned char>& rgba, int size, int x, int y) {
    return &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
}

}  // namespace

TEST(PngWriter, ChecksumsMatchTheirStandardCheckValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(crcOf(digits), 0xCBF43926u);
    EXPECT_EQ(IconGen::adler32(reinterpret_cast<const unsigned char*>("Wikipedia"), 9),
              0x11E60398u);
}

TEST(PngWriter, WritesRowsThatReadBackThroughSeveralStoredBlocks) {
    // 200 x 100 RGBA is 80 100 bytes of rows: more than one stored block holds.
    const int width = 200, height = 100;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = static_cast<unsigned char>(i * 7 + i / 997);
    }
    const ReadPNG read = readPNG(IconGen::encodePNG(width, height, rgba));
    EXPECT_EQ(read.chunkTypes, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(read.width, 200u);
    EXPECT_EQ(read.height, 100u);
    EXPECT_EQ(read.bitDepth, 8);
    EXPECT_EQ(read.colourType, 6);
    ASSERT_EQ(read.rows.size(), rgba.size() + height);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * (width * 4 + 1);
        ASSERT_EQ(read.rows[row], 0) << "filter of row " << y;
        ASSERT_EQ(read.rows.compare(row + 1, width * 4,
                                    reinterpret_cast<const char*>(&rgba[y * width * 4]), width * 4),
                  0)
            << "row " << y;
    }
}

TEST(PngWriter, RefusesSizesThatDoNotMatchThePixels) {
    EXPECT_EQ(IconGen::encodePNG(2, 2, std::vector<unsigned char>(15)), "");
    EXPECT_EQ(IconGen::encodePNG(0, 4, {}), "");
    EXPECT_EQ(IconGen::encodePNG(-1, -4, std::vector<unsigned char>(16)), "");
}

TEST(IconPainter, DrawsTheFieldOnARoundedBlackSquare) {
    for (int size : {32, 48, 256}) {
        const std::vector<unsigned char> rgba = IconGen::paintIcon(size);
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(size) * size * 4);
        EXPECT_EQ(pixelAt(rgba, size, 0, 0)[3], 0) << size << ": corner not transparent";
        EXPECT_EQ(pixelAt(rgba, size, size - 1, size - 1)[3], 0) << size;
        const unsigned char* middle = pixelAt(rgba, size, size / 2, size / 2);
        EXPECT_EQ(middle[0], 255) << size << ": centre polygon not white";
        EXPECT_EQ(middle[3], 255);
        // Between the centre polygon and the inner ring, on the side away from the player.
        const unsigned char* gap = pixelAt(rgba, size, size / 2 - size * 5 / 32, size / 2);
        EXPECT_EQ(gap[0], 0) << size;
        EXPECT_EQ(gap[3], 255) << size;
    }
    EXPECT_TRUE(IconGen::paintIcon(0).empty());
}
