#include "MatSys/TextureOptions.h"

#include <gtest/gtest.h>

#include "MatSys/OGL/TextureMaker.h"

namespace {

using MatSys::TextureOptions;

TextureOptions make(const std::string& name) {
    return MatSys::TextureOptionsMaker().make(name);
}

TEST(TextureOptionsMaker, ReadsOptionWordsLaterOnesWinning) {
    EXPECT_EQ(make(""), TextureOptions(true, true, true, true));
    EXPECT_EQ(make("a.3D.NEAR"), TextureOptions(false, false, true, true));
    EXPECT_EQ(make("a.NEAR.LINR"), TextureOptions(true, true, true, true));
    EXPECT_EQ(make(" NMIP . x "), TextureOptions(true, true, false, true));
    EXPECT_EQ(make("grid.NEAR.NMIP"), TextureOptions(true, false, false, true));
    EXPECT_EQ(make("x.NCMP.3D.2D"), TextureOptions(true, true, true, false));
}

TEST(TextureOptionsMaker, IgnoresWordsOfOtherCaseAndGluedWords) {
    EXPECT_EQ(make("nmip"), TextureOptions());
    EXPECT_EQ(make("a.Near.NMIPx.3d"), TextureOptions());
    EXPECT_EQ(make("NEARNMIP"), TextureOptions());
}

TEST(TextureOptions, DefaultConstructionCopiesTheProcessDefaults) {
    TextureOptions saved = TextureOptions::s_defOpts;
    TextureOptions::s_defOpts = TextureOptions(false, false, true, false);
    EXPECT_EQ(TextureOptions(), TextureOptions(false, false, true, false));
    EXPECT_EQ(make("a.MIP"), TextureOptions(false, false, true, false));
    TextureOptions::s_defOpts = saved;
}

}  // namespace
