#include "MatSys/OGL/TextureMaker.h"

#include <gtest/gtest.h>

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

}  // namespace
