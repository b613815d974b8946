#include "Media/TGA.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace Media::TGA {

namespace {

constexpr size_t kHeaderSize = 18;
constexpr unsigned char kColourMapPresent = 1;
constexpr unsigned char kRleTrueColour = 10;
constexpr unsigned char kRleGrey = 11;
constexpr unsigned char kDescriptorReservedBits = 0x07;  // must be 0 in the subset
constexpr unsigned char kDescriptorTopFirst = 0x20;      // first stored row is the top row
constexpr unsigned char kPacketRepeat = 0x80;
constexpr unsigned char kPacketCountMask = 0x7f;
constexpr uint64_t kMaxPacketPixels = 128;

struct Header {
    unsigned idLength = 0;
    unsigned colourMapType = 0;
    unsigned imageType = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0;
    unsigned descriptor = 0;
};

unsigned readLittle16(const unsigned char* bytes) {
    return unsigned(bytes[0]) | (unsigned(bytes[1]) << 8);
}

Header parseHeader(const unsigned char* bytes) {
    Header header;
    header.idLength = bytes[0];
    header.colourMapType = bytes[1];
    header.imageType = bytes[2];
    header.width = readLittle16(bytes + 12);
    header.height = readLittle16(bytes + 14);
    header.bitsPerPixel = bytes[16];
    header.descriptor = bytes[17];
    return header;
}

bool headerInSubset(const Header& header) {
    if (header.colourMapType == kColourMapPresent)
        return false;
    if (header.bitsPerPixel != 8 && header.bitsPerPixel != 24 && header.bitsPerPixel != 32)
        return false;
    if (header.descriptor & kDescriptorReservedBits)
        return false;
    if (header.width == 0 || header.height == 0)
        return false;
    return uint64_t(header.width) * header.height <= kMaxPixels;
}

bool isRunLength(const Header& header) {
    return header.imageType == kRleTrueColour || header.imageType == kRleGrey;
}

// The file's length, leaving the position at the start; -1 when it cannot be told.
long fileLength(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    long length = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return length;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Opens a regular file for reading, or gives null. The open does not block and the type
// is checked on the open descriptor before anything is read: opening a FIFO for reading
// would otherwise wait for a writer for ever, and a device or directory has no length
// to trust. Checking the descriptor, not the path, leaves no gap for the path to be
// swapped for something else between the check and the read.
std::unique_ptr<FILE, FileCloser> openRegularFile(const char* fileName) {
    int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return nullptr;
    }
    // Regular files ignore O_NONBLOCK; it is cleared all the same so reads are plain.
    int flags = fcntl(fd, F_GETFL);
    if (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<FILE, FileCloser>(file);
}

// Reads the header at the file's start; false when the file is too short for one or the
// header is outside the subset this reader takes.
bool readHeader(FILE* file, Header& header) {
    unsigned char headerBytes[kHeaderSize];
    if (std::fread(headerBytes, 1, kHeaderSize, file) != kHeaderSize)
        return false;
    header = parseHeader(headerBytes);
    return headerInSubset(header);
}

// Decodes run-length packets from data into block (pixelCount pixels). Packets may run
// across row ends; the last packet is cut at the end of the block. False when the data
// ends before the block is full.
bool decodeRunLength(const unsigned char* data, size_t dataSize, unsigned char* block,
                     uint64_t pixelCount, size_t bytesPerPixel) {
    const unsigned char* in = data;
    const unsigned char* inEnd = data + dataSize;
    unsigned char* out = block;
    uint64_t decoded = 0;
    while (decoded < pixelCount) {
        if (in == inEnd)
            return false;
        unsigned char packet = *in++;
        uint64_t count = (packet & kPacketCountMask) + 1u;
        uint64_t kept = std::min(count, pixelCount - decoded);
        if (packet & kPacketRepeat) {
            if (size_t(inEnd - in) < bytesPerPixel)
                return false;
            for (uint64_t i = 0; i < kept; ++i) {
                std::memcpy(out, in, bytesPerPixel);
                out += bytesPerPixel;
            }
            in += bytesPerPixel;
        } else {
            size_t keptBytes = size_t(kept) * bytesPerPixel;
            if (size_t(inEnd - in) < keptBytes)
                return false;
            std::memcpy(out, in, keptBytes);
            out += keptBytes;
            // Pixels of a raw packet beyond the image are dropped; reading stops here anyway.
            in += keptBytes;
        }
        decoded += kept;
    }
    return true;
}

// Reverses the order of the rows, so that a top-first image starts with its bottom row.
void flipRows(unsigned char* block, unsigned width, unsigned height, size_t bytesPerPixel) {
    size_t rowBytes = size_t(width) * bytesPerPixel;
    unsigned char* top = block;
    unsigned char* bottom = block + (size_t(height) - 1) * rowBytes;
    while (top < bottom) {
        std::swap_ranges(top, top + rowBytes, bottom);
        top += rowBytes;
        bottom -= rowBytes;
    }
}

// B, G, R (and A) to R, G, B (and A): swaps the first and third byte of every pixel.
void swapRedBlue(unsigned char* block, uint64_t pixelCount, size_t bytesPerPixel) {
    if (bytesPerPixel < 3)
        return;
    unsigned char* end = block + size_t(pixelCount) * bytesPerPixel;
    for (unsigned char* pixel = block; pixel != end; pixel += bytesPerPixel) {
        std::swap(pixel[0], pixel[2]);
    }
}

}  // namespace

bool loadFromFile(const char* fileName, unsigned* width, unsigned* height, unsigned* bitsPerPixel,
                  unsigned char** pixels) {
    if (pixels)
        *pixels = nullptr;
    if (!fileName || !width || !height || !bitsPerPixel || !pixels)
        return false;

    std::unique_ptr<FILE, FileCloser> file = openRegularFile(fileName);
    if (!file)
        return false;
    long length = fileLength(file.get());
    if (length < long(kHeaderSize))
        return false;

    Header header;
    if (!readHeader(file.get(), header))
        return false;

    // The ID field is skipped; the pixel data follows it.
    uint64_t dataStart = kHeaderSize + header.idLength;
    if (uint64_t(length) < dataStart)
        return false;
    uint64_t available = uint64_t(length) - dataStart;
    if (std::fseek(file.get(), long(dataStart), SEEK_SET) != 0)
        return false;

    size_t bytesPerPixel = header.bitsPerPixel / 8;
    uint64_t pixelCount = uint64_t(header.width) * header.height;
    uint64_t blockBytes = pixelCount * bytesPerPixel;

    // Check that the file can hold the pixel data before allocating for it, so that a
    // short file claiming a huge image costs nothing.
    uint64_t leastData = blockBytes;
    if (isRunLength(header)) {
        uint64_t leastPackets = (pixelCount + kMaxPacketPixels - 1) / kMaxPacketPixels;
        leastData = leastPackets * (1 + bytesPerPixel);
    }
    if (available < leastData)
        return false;

    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[size_t(blockBytes)]);
    if (!block)
        return false;

    if (isRunLength(header)) {
        // At worst every pixel is a one-pixel packet; more data than that is never read.
        uint64_t mostData = std::min(available, pixelCount * (1 + bytesPerPixel));
        std::unique_ptr<unsigned char[]> data(new (std::nothrow) unsigned char[size_t(mostData)]);
        if (!data)
            return false;
        if (std::fread(data.get(), 1, size_t(mostData), file.get()) != mostData)
            return false;
        if (!decodeRunLength(data.get(), size_t(mostData), block.get(), pixelCount,
                             bytesPerPixel)) {
            return false;
        }
    } else if (std::fread(block.get(), 1, size_t(blockBytes), file.get()) != blockBytes) {
        return false;
    }
    file.reset();

    if (header.descriptor & kDescriptorTopFirst) {
        flipRows(block.get(), header.width, header.height, bytesPerPixel);
    }
    swapRedBlue(block.get(), pixelCount, bytesPerPixel);

    *width = header.width;
    *height = header.height;
    *bitsPerPixel = header.bitsPerPixel;
    *pixels = block.release();
    return true;
}

bool readSize(const char* fileName, unsigned* width, unsigned* height) {
    if (!fileName || !width || !height)
        return false;
    std::unique_ptr<FILE, FileCloser> file = openRegularFile(fileName);
    if (!file)
        return false;
    Header header;
    if (!readHeader(file.get(), header))
        return false;
    *width = header.width;
    *height = header.height;
    return true;
}

}  // namespace Media::TGA
