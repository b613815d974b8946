#pragma once

#include <cstdint>

// The TGA subset the engine reads: true-colour and grey images of 8, 24 or 32 bits per
// pixel, uncompressed or run-length encoded, without a colour map. This is the one place
// that reads image bytes from files nobody vouches for, so every size is checked before
// anything is allocated or written.
namespace Media::TGA {

// The largest image accepted: 16384 x 16384 pixels (1 GiB at 32 bits per pixel). The
// limit is on the pixel count, so a long thin image of the same area passes too.
constexpr uint64_t kMaxPixels = uint64_t(16384) * 16384;

// Reads the file into a new pixel block (the caller deletes it with delete[]): rows
// bottom first, channels R, G, B (24 bits) or R, G, B, A (32 bits), 8-bit images as they
// are stored. On success width, height and bitsPerPixel are set and true is returned.
// *pixels is set to null first and stays null on failure; the other outputs are then
// left untouched. Fails, without writing anything, when the name or an output pointer is
// null, the file cannot be read or is not a regular file (a FIFO, device or directory is
// refused without blocking and without reading from it), the header is outside the subset (colour
// map, depth other than 8/24/32, descriptor bits 0-2 set), width or height is 0, the pixel count
// exceeds kMaxPixels, or the file ends before its pixel data does. Run-length data that
// decodes to more than width x height pixels is cut at the end of the image: the
// excess pixels of the last packet are dropped and need not be present in the file.
bool loadFromFile(const char* fileName, unsigned* width, unsigned* height, unsigned* bitsPerPixel,
                  unsigned char** pixels);

// Reads only the header: the image's width and height, so that a caller can refuse a size
// before the pixels are allocated and read. False, leaving the outputs untouched, when
// an argument is null or the file or its header fails as it would for loadFromFile (the
// pixel data is not looked at).
bool readSize(const char* fileName, unsigned* width, unsigned* height);

}  // namespace Media::TGA
