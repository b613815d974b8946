// Loading a generated 2048 x 2048 32-bit TGA file, run-length encoded (and, second,
// uncompressed), with Media::TGA::loadFromFile against stb_image on the same file.
// Prints the ratio of the two times measured in this run; absolute times on a shared
// machine mean little.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include "Media/TGA.h"
#include "bench/support/RatioReporter.h"

namespace {

constexpr unsigned kSide = 2048;
constexpr unsigned kBytesPerPixel = 4;
constexpr unsigned kMaxPacket = 128;

using Pixel = uint32_t;

// Sprite-like content: stretches of one colour of varying length, with noisy stretches
// in between, from a fixed pseudo-random sequence.
std::vector<Pixel> makeImage() {
    std::vector<Pixel> pixels;
    pixels.reserve(size_t(kSide) * kSide);
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    while (pixels.size() < size_t(kSide) * kSide) {
        uint32_t length = 1 + next() % 300;
        bool flat = next() % 4 != 0;
        Pixel colour = next() | 0xff000000u;
        for (uint32_t i = 0; i < length && pixels.size() < size_t(kSide) * kSide; ++i) {
            pixels.push_back(flat ? colour : (next() | 0xff000000u));
        }
    }
    return pixels;
}

void appendPixel(std::string& out, Pixel p) {
    out.append(reinterpret_cast<const char*>(&p), kBytesPerPixel);
}

// Repeat packets for runs of two or more equal pixels, raw packets for the rest; packets
// run across row ends.
std::string encodeRunLength(const std::vector<Pixel>& pixels) {
    std::string out;
    size_t i = 0;
    while (i < pixels.size()) {
        size_t run = 1;
        while (i + run < pixels.size() && run < kMaxPacket && pixels[i + run] == pixels[i])
            ++run;
        if (run >= 2) {
            out.push_back(char(0x80 | (run - 1)));
            appendPixel(out, pixels[i]);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < pixels.size() && raw < kMaxPacket &&
               !(i + raw + 1 < pixels.size() && pixels[i + raw] == pixels[i + raw + 1])) {
            ++raw;
        }
        out.push_back(char(raw - 1));
        for (size_t k = 0; k < raw; ++k)
            appendPixel(out, pixels[i + k]);
        i += raw;
    }
    return out;
}

std::string header(bool runLength) {
    std::string bytes(18, '\0');
    bytes[2] = runLength ? 10 : 2;
    bytes[12] = char(kSide & 0xff);
    bytes[13] = char(kSide >> 8);
    bytes[14] = char(kSide & 0xff);
    bytes[15] = char(kSide >> 8);
    bytes[16] = 32;
    bytes[17] = 0x08;
    return bytes;
}

struct Files {
    std::string directory;
    std::string rle;
    std::string raw;
};

const Files& files() {
    static Files generated = [] {
        Files f;
        char pattern[] = "/tmp/quorlith-tga-bench-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        f.directory = pattern;
        f.rle = f.directory + "/image.rle.tga";
        f.raw = f.directory + "/image.raw.tga";
        std::vector<Pixel> pixels = makeImage();
        std::ofstream(f.rle, std::ios::binary) << header(true) << encodeRunLength(pixels);
        std::string rawData(reinterpret_cast<const char*>(pixels.data()),
                            pixels.size() * kBytesPerPixel);
        std::ofstream(f.raw, std::ios::binary) << header(false) << rawData;
        return f;
    }();
    return generated;
}

void loadWithQuorlith(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        unsigned w = 0, h = 0, bits = 0;
        unsigned char* pixels = nullptr;
        if (!Media::TGA::loadFromFile(path.c_str(), &w, &h, &bits, &pixels)) {
            state.SkipWithError("Media::TGA could not read the file");
            return;
        }
        benchmark::DoNotOptimize(pixels[size_t(w) * h * 2]);
        delete[] pixels;
    }
}

void loadWithStb(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        int w = 0, h = 0, channels = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 0);
        if (!pixels) {
            state.SkipWithError("stb_image could not read the file");
            return;
        }
        benchmark::DoNotOptimize(pixels[size_t(w) * h * 2]);
        stbi_image_free(pixels);
    }
}

void BM_Stb_RunLength(benchmark::State& state) {
    loadWithStb(state, files().rle);
}
BENCHMARK(BM_Stb_RunLength)->Unit(benchmark::kMillisecond);

void BM_TGA_RunLength(benchmark::State& state) {
    loadWithQuorlith(state, files().rle);
}
BENCHMARK(BM_TGA_RunLength)->Unit(benchmark::kMillisecond);

void BM_Stb_Uncompressed(benchmark::State& state) {
    loadWithStb(state, files().raw);
}
BENCHMARK(BM_Stb_Uncompressed)->Unit(benchmark::kMillisecond);

void BM_TGA_Uncompressed(benchmark::State& state) {
    loadWithQuorlith(state, files().raw);
}
BENCHMARK(BM_TGA_Uncompressed)->Unit(benchmark::kMillisecond);

// Whether both readers give the same pixels (stb_image's rows run top first, ours
// bottom first, as OpenGL wants them).
bool samePixels(const std::string& path) {
    unsigned w = 0, h = 0, bits = 0;
    unsigned char* ours = nullptr;
    int sw = 0, sh = 0, channels = 0;
    unsigned char* theirs = stbi_load(path.c_str(), &sw, &sh, &channels, 0);
    bool same = Media::TGA::loadFromFile(path.c_str(), &w, &h, &bits, &ours) && theirs &&
                int(w) == sw && int(h) == sh && int(bits / 8) == channels;
    size_t row = size_t(w) * kBytesPerPixel;
    for (unsigned y = 0; same && y < h; ++y) {
        same = std::equal(ours + y * row, ours + (y + 1) * row, theirs + (h - 1 - y) * row);
    }
    delete[] ours;
    stbi_image_free(theirs);
    return same;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Bench::RatioReporter reporter;
    std::cout << "same pixels as stb_image: run-length " << (samePixels(files().rle) ? "yes" : "NO")
              << ", uncompressed " << (samePixels(files().raw) ? "yes" : "NO") << std::endl;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* kind : {"RunLength", "Uncompressed"}) {
        std::string measured = std::string("BM_TGA_") + kind;
        std::string baseline = std::string("BM_Stb_") + kind;
        std::cout << "ratio Media::TGA / stb_image, " << kSide << " x " << kSide << " 32-bit "
                  << kind << ": real time "
                  << reporter.ratio(Bench::RatioReporter::kRealTime, measured, baseline)
                  << ", CPU time "
                  << reporter.ratio(Bench::RatioReporter::kCpuTime, measured, baseline)
                  << std::endl;
    }
    const Files& f = files();
    std::remove(f.rle.c_str());
    std::remove(f.raw.c_str());
    rmdir(f.directory.c_str());
    return 0;
}
