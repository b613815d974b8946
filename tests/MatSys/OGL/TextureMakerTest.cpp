#include "MatSys/OGL/TextureMaker.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/TgaBytes.h"

namespace {

TEST(TextureMaker, LoadDirectoryGetsOneFinalSlash) {
    MatSys::OGL::TextureMaker maker("data");
    EXPECT_EQ(maker.getLoadDir(), "data/");
    maker.setLoadDir("data/");
    EXPECT_EQ(maker.getLoadDir(), "data/");
    maker.setLoadDir("");
    EXPECT_EQ(maker.getLoadDir(), "");
}

TEST(TextureMaker, NamesWithoutTgaMakeNothing) {
    MatSys::OGL::TextureMaker maker("");
    EXPECT_EQ(maker.create("font.png"), nullptr);
    EXPECT_EQ(maker.create("font.TGA"), nullptr);
}

// Refused from the header alone: no texture (and so no OpenGL context) is reached.
TEST(TextureMaker, ImagesWiderOrTallerThanAnyTextureAreRefusedFromTheirHeader) {
    TestSupport::TempDir dir;
    MatSys::OGL::TextureMaker maker(dir.path());
    for (unsigned width : {16385u, 65535u}) {
        dir.write("wide.tga", TestSupport::tgaFilled(width, 1, 8, {7}));
        EXPECT_EQ(maker.create("wide.tga"), nullptr) << width;
        dir.write("tall.tga", TestSupport::tgaFilled(1, width, 8, {7}));
        EXPECT_EQ(maker.create("tall.tga"), nullptr) << width;
    }
}

}  // namespace
