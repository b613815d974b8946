#include "Media/TGA.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr unsigned char kUncompressed = 2;
constexpr unsigned char kUncompressedGrey = 3;
constexpr unsigned char kRunLength = 10;
constexpr unsigned char kRunLengthGrey = 11;

Bytes header(unsigned width, unsigned height, unsigned char bits,
             unsigned char type = kUncompressed, unsigned char descriptor = 0,
             unsigned char idLength = 0) {
    Bytes bytes(18, 0);
    bytes[0] = idLength;
    bytes[2] = type;
    bytes[12] = width & 0xff;
    bytes[13] = width >> 8;
    bytes[14] = height & 0xff;
    bytes[15] = height >> 8;
    bytes[16] = bits;
    bytes[17] = descriptor;
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Loaded {
    bool ok = false;
    unsigned width = 0, height = 0, bits = 0;
    Bytes pixels;
};

class TGALoad : public ::testing::Test {
protected:
    Loaded load(const Bytes& file) {
        std::string path = dir.write("image.tga", std::string(file.begin(), file.end()));
        return loadPath(path);
    }

    static Loaded loadPath(const std::string& path) {
        Loaded result;
        unsigned char* block = reinterpret_cast<unsigned char*>(1);  // must be reset to null
        result.ok = Media::TGA::loadFromFile(path.c_str(), &result.width, &result.height,
                                             &result.bits, &block);
        if (result.ok) {
            result.pixels.assign(block,
                                 block + size_t(result.width) * result.height * (result.bits / 8));
            delete[] block;
        } else {
            EXPECT_EQ(block, nullptr);
        }
        return result;
    }

    TestSupport::TempDir dir;
};

TEST_F(TGALoad, SwapsBlueAndRedOfTwentyFourBitPixels) {
    Loaded image = load(header(2, 1, 24) + Bytes{1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 1u);
    EXPECT_EQ(image.bits, 24u);
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 6, 5, 4}));
}

TEST_F(TGALoad, ReversesTopFirstRowsAndKeepsAlphaLast) {
    // Descriptor 0x28: eight alpha bits, first stored row is the top one.
    Loaded image = load(header(1, 3, 32, kUncompressed, 0x28) +
                        Bytes{10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33});
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.pixels, (Bytes{32, 31, 30, 33, 22, 21, 20, 23, 12, 11, 10, 13}));
}

TEST_F(TGALoad, KeepsBottomFirstRowsAndIgnoresDescriptorBitFour) {
    Loaded image = load(header(1, 2, 8, kUncompressedGrey, 0x10) + Bytes{1, 2});
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.bits, 8u);
    EXPECT_EQ(image.pixels, (Bytes{1, 2}));
}

TEST_F(TGALoad, SkipsTheIdFieldAndReadsUnknownTypesAsUncompressed) {
    Loaded image = load(header(2, 1, 8, 0, 0, 3) + Bytes{'a', 'b', 'c'} + Bytes{7, 9});
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.pixels, (Bytes{7, 9}));
}

TEST_F(TGALoad, ExpandsRepeatPacketsAndCopiesRawPacketsAcrossRowEnds) {
    // 0x83: one pixel four times; 0x01: two raw pixels. Three rows of two.
    Loaded image =
        load(header(2, 3, 24, kRunLength) + Bytes{0x83, 1, 2, 3} + Bytes{0x01, 4, 5, 6, 7, 8, 9});
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1, 6, 5, 4, 9, 8, 7}));
}

TEST_F(TGALoad, RunLengthGreyAndTopFirstCombine) {
    Loaded image = load(header(2, 2, 8, kRunLengthGrey, 0x20) + Bytes{0x81, 5, 0x01, 6, 7});
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.pixels, (Bytes{6, 7, 5, 5}));
}

TEST_F(TGALoad, DropsRunLengthPixelsBeyondTheImage) {
    // A repeat packet of 128 and a raw packet of 4 (only two of whose pixels are
    // present) into a 3-pixel image: the excess is dropped, the block is not overrun.
    Loaded repeat = load(header(3, 1, 32, kRunLength) + Bytes{0xff, 1, 2, 3, 4});
    ASSERT_TRUE(repeat.ok);
    EXPECT_EQ(repeat.pixels, (Bytes{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}));

    Loaded raw = load(header(3, 1, 8, kRunLengthGrey) + Bytes{0x00, 1, 0x03, 2, 3});
    ASSERT_TRUE(raw.ok);
    EXPECT_EQ(raw.pixels, (Bytes{1, 2, 3}));
}

TEST_F(TGALoad, AcceptsTheLargestSideWhenThePixelDataIsThere) {
    // 65535 x 1 is within the pixel limit; the data is one repeat packet per 128 pixels.
    Bytes data;
    for (unsigned left = 65535; left > 0; left -= std::min(left, 128u)) {
        unsigned n = std::min(left, 128u);
        data.push_back(static_cast<unsigned char>(0x80 | (n - 1)));
        data.push_back(42);
    }
    Loaded image = load(header(65535, 1, 8, kRunLengthGrey) + data);
    ASSERT_TRUE(image.ok);
    EXPECT_EQ(image.pixels.size(), 65535u);
    EXPECT_EQ(image.pixels.back(), 42);
}

TEST_F(TGALoad, FailsForMissingFilesAndNullArguments) {
    EXPECT_FALSE(loadPath(dir.file("nothing.tga")).ok);
    unsigned w, h, b;
    unsigned char* block = nullptr;
    EXPECT_FALSE(Media::TGA::loadFromFile(nullptr, &w, &h, &b, &block));
    Bytes valid = header(1, 1, 8, kUncompressedGrey) + Bytes{5};
    std::string path = dir.write("ok.tga", std::string(valid.begin(), valid.end()));
    ASSERT_TRUE(loadPath(path).ok);
    EXPECT_FALSE(Media::TGA::loadFromFile(path.c_str(), nullptr, &h, &b, &block));
    EXPECT_FALSE(Media::TGA::loadFromFile(path.c_str(), &w, &h, &b, nullptr));
}

// Paths that name something other than a regular file fail at once. A FIFO without a
// writer would block a plain open for ever: the load runs on its own thread, and when it
// has not returned in time the test opens the FIFO's write end itself to release it.
TEST_F(TGALoad, RefusesWhatIsNotARegularFileWithoutBlocking) {
    Bytes valid = header(1, 1, 8, kUncompressedGrey) + Bytes{5};
    dir.write("ok.tga", std::string(valid.begin(), valid.end()));
    const std::string fifo = dir.file("fifo.tga");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, dir.file("link-to-fifo.tga"));
    std::filesystem::create_symlink(dir.file("ok.tga"), dir.file("link-to-ok.tga"));

    const struct {
        std::string path;
        bool ok;
    } cases[] = {
        {dir.path(), false},   // a directory
        {"/dev/zero", false},  // a device with endless bytes
        {"/dev/null", false},  // a device with none
        {fifo, false},         // a FIFO nobody writes to
        {dir.file("link-to-fifo.tga"), false},
        {dir.file("link-to-ok.tga"), true},  // a link to a regular file is followed
    };
    for (const auto& c : cases) {
        auto load = std::async(std::launch::async, [&] { return loadPath(c.path).ok; });
        if (load.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            ADD_FAILURE() << c.path << " blocked the load";
            load.wait();
            close(writer);
            continue;
        }
        EXPECT_EQ(load.get(), c.ok) << c.path;
    }
}

TEST_F(TGALoad, ReadSizeTakesTheHeaderAloneAndFailsAsTheLoadWould) {
    unsigned w = 7, h = 8;
    // The header of a 300 x 200 image without its pixels: the size is known all the same.
    const Bytes headerOnly = header(300, 200, 24);
    const std::string sized =
        dir.write("sized.tga", std::string(headerOnly.begin(), headerOnly.end()));
    ASSERT_TRUE(Media::TGA::readSize(sized.c_str(), &w, &h));
    EXPECT_EQ(w, 300u);
    EXPECT_EQ(h, 200u);
    const Bytes depth16 = header(2, 2, 16);
    const std::string bad = dir.write("bad.tga", std::string(depth16.begin(), depth16.end()));
    for (const std::string& path : {bad, dir.file("nothing.tga"), dir.path()}) {
        EXPECT_FALSE(Media::TGA::readSize(path.c_str(), &w, &h)) << path;
    }
    EXPECT_FALSE(Media::TGA::readSize(nullptr, &w, &h));
    EXPECT_FALSE(Media::TGA::readSize(sized.c_str(), nullptr, &h));
    EXPECT_EQ(w, 300u);
}

TEST_F(TGALoad, LeavesOutputsUntouchedOnFailure) {
    unsigned w = 7, h = 8, b = 9;
    unsigned char* block = nullptr;
    std::string path = dir.write(
        "bad.tga", std::string(reinterpret_cast<const char*>(header(2, 2, 16).data()), 18));
    EXPECT_FALSE(Media::TGA::loadFromFile(path.c_str(), &w, &h, &b, &block));
    EXPECT_EQ(w, 7u);
    EXPECT_EQ(h, 8u);
    EXPECT_EQ(b, 9u);
}

// Every file in the folder of bad images, with what is wrong with it. The test also
// insists that the table and the folder agree, so no file there goes unread.
struct BadFile {
    const char* name;
    const char* fault;
};

const BadFile kBadFiles[] = {
    {"empty.tga", "no bytes at all"},
    {"short-header.tga", "header cut at 10 bytes"},
    {"zero-width.tga", "width 0"},
    {"zero-height.tga", "height 0"},
    {"depth-16.tga", "16 bits per pixel"},
    {"depth-0.tga", "0 bits per pixel"},
    {"depth-15.tga", "15 bits per pixel"},
    {"depth-64.tga", "64 bits per pixel"},
    {"colour-map.tga", "colour-map type 1"},
    {"descriptor-01.tga", "descriptor 0x01"},
    {"descriptor-07.tga", "descriptor 0x07"},
    {"truncated-pixels.tga", "uncompressed data one byte short"},
    {"truncated-id.tga", "ID field longer than the file"},
    {"huge-header-only.tga", "65535 x 65535 with no data"},
    {"over-pixel-limit.tga", "16385 x 16384, above the pixel limit"},
    {"big-claim-uncompressed.tga", "16384 x 16384 at 32 bits with 100 data bytes"},
    {"big-claim-rle.tga", "16384 x 16384 run-length with 100 data bytes"},
    {"rle-repeat-without-pixel.tga", "repeat packet cut inside its pixel"},
    {"rle-raw-cut-short.tga", "raw packet of 4 pixels with 3 present"},
    {"rle-runs-out.tga", "packets end before the image is full"},
    {"rle-no-data.tga", "run-length image without packets"},
};

TEST(TGABadFiles, EveryMalformedFileIsRejected) {
    std::set<std::string> listed;
    for (const BadFile& bad : kBadFiles) {
        listed.insert(bad.name);
        std::string path = std::string(QUORLITH_BAD_TGA_DIR) + "/" + bad.name;
        ASSERT_TRUE(std::filesystem::exists(path)) << bad.name;
        unsigned w = 0, h = 0, b = 0;
        unsigned char* block = reinterpret_cast<unsigned char*>(1);
        EXPECT_FALSE(Media::TGA::loadFromFile(path.c_str(), &w, &h, &b, &block))
            << bad.name << ": " << bad.fault;
        EXPECT_EQ(block, nullptr) << bad.name;
    }
    for (const auto& entry : std::filesystem::directory_iterator(QUORLITH_BAD_TGA_DIR)) {
        EXPECT_TRUE(listed.count(entry.path().filename().string()))
            << "not in the table: " << entry.path();
    }
}

}  // namespace
