// Feeds arbitrary bytes to the TGA reader through a file (the reader takes a file name)
// and checks what it promises: on success a block of exactly width x height x depth/8
// bytes in the subset's depths; on failure no block.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Media/TGA.h"
#include "fuzz/support/FuzzSupport.h"

namespace {

// In the private directory, so that it goes when the run ends.
const std::string& scratchFile() {
    static const std::string path = FuzzSupport::privateDirectory("tga") + "/input.tga";
    return path;
}

}  // namespace

// Keeps the read loop below from being optimised away.
unsigned tgaFuzzChecksum = 0;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = scratchFile();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    unsigned width = 0, height = 0, bits = 0;
    unsigned char* pixels = nullptr;
    bool loaded = Media::TGA::loadFromFile(path.c_str(), &width, &height, &bits, &pixels);
    if (!loaded) {
        if (pixels)
            std::abort();
        return 0;
    }
    if (!pixels || width == 0 || height == 0)
        std::abort();
    if (bits != 8 && bits != 24 && bits != 32)
        std::abort();
    if (uint64_t(width) * height > Media::TGA::kMaxPixels)
        std::abort();
    // Touch every byte of the block so the sanitizers see a short allocation.
    size_t bytes = size_t(width) * height * (bits / 8);
    unsigned sum = 0;
    for (size_t i = 0; i < bytes; ++i)
        sum += pixels[i];
    tgaFuzzChecksum = sum;
    delete[] pixels;
    return 0;
}
