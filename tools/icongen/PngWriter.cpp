#include "PngWriter.h"

#include <algorithm>
#include <array>

namespace IconGen {

namespace {

constexpr std::uint32_t kCrcPolynomial = 0xEDB88320u;
constexpr std::uint32_t kAdlerModulus = 65521u;
constexpr std::size_t kMaxStoredBlock = 65535;  // LEN of a stored block is 16 bits
constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char kZlibHeader[] = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
constexpr unsigned char kBitDepth = 8;
constexpr unsigned char kColourTypeRGBA = 6;
constexpr unsigned char kFilterNone = 0;
constexpr int kBytesPerPixel = 4;

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < t.size(); ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c & 1u) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void appendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFFu);
    }
}

void appendChunk(std::string& out, const char type[4], const std::string& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    appendBigEndian(out, crc32(reinterpret_cast<const unsigned char*>(typed.data()), typed.size()));
}

// Each row is the filter byte "none" followed by the row's pixels.
std::string filteredRows(int width, int height, const std::vector<unsigned char>& rgba) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * kBytesPerPixel;
    std::string rows;
    rows.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows += static_cast<char>(kFilterNone);
        rows.append(reinterpret_cast<const char*>(rgba.data()) + rowBytes * y, rowBytes);
    }
    return rows;
}

std::string storedZlibStream(const std::string& raw) {
    std::string out(reinterpret_cast<const char*>(kZlibHeader), sizeof kZlibHeader);
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kMaxStoredBlock, raw.size() - at);
        const bool last = at + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
        out += static_cast<char>(length & 0xFFu);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFFu);
        out += static_cast<char>((~length >> 8) & 0xFFu);
        out.append(raw, at, length);
        at += length;
    } while (at < raw.size());
    appendBigEndian(out, adler32(reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
    return out;
}

}  // namespace

std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc) {
    const auto& table = crcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    }
    return ~crc;
}

std::uint32_t adler32(const unsigned char* data, std::size_t size) {
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return (b << 16) | a;
}

std::string encodePNG(int width, int height, const std::vector<unsigned char>& rgba) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * height * kBytesPerPixel) {
        return "";
    }
    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header += static_cast<char>(kBitDepth);
    header += static_cast<char>(kColourTypeRGBA);
    header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace

    std::string png(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", storedZlibStream(filteredRows(width, height, rgba)));
    appendChunk(png, "IEND", "");
    return png;
}

}  // namespace IconGen
