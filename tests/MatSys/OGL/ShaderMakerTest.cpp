#include "MatSys/OGL/ShaderMaker.h"

#include <gtest/gtest.h>

#include "MatSys/ShaderStore.h"
#include "Render/OGL/GL.h"
#include "support/TempDir.h"

namespace {

using MatSys::OGL::ShaderMaker;

TEST(ShaderMaker, TakesTheStageFromTheFirstMatchingSuffix) {
    ShaderMaker maker;
    EXPECT_EQ(maker.nameToType("a.VS"), GL_VERTEX_SHADER);
    EXPECT_EQ(maker.nameToType("a.FS"), GL_FRAGMENT_SHADER);
    EXPECT_EQ(maker.nameToType("a.vs"), 0);
    EXPECT_EQ(maker.nameToType("a"), 0);
    EXPECT_EQ(maker.nameToType("a.VS.glsl"), 0);

    maker.defineTypeMappings({{"S", GL_VERTEX_SHADER}, {".FS", GL_FRAGMENT_SHADER}});
    EXPECT_EQ(maker.nameToType("a.FS"), GL_VERTEX_SHADER);
    std::vector<std::string> suffixes{"kept"};
    maker.getTypeStrings(suffixes);
    EXPECT_EQ(suffixes, (std::vector<std::string>{"kept", "S", ".FS"}));
}

TEST(ShaderMaker, LoadDirectoryGetsOneFinalSlash) {
    EXPECT_EQ(ShaderMaker("shaders").getLoadDir(), "shaders/");
    EXPECT_EQ(ShaderMaker("shaders/").getLoadDir(), "shaders/");
    EXPECT_EQ(ShaderMaker("").getLoadDir(), "");
}

// None of these reach OpenGL: they fail on the name or on missing sources first.
TEST(ShaderMaker, NamesWithoutStageOrSourcesMakeNothing) {
    TestSupport::TempDir dir;
    dir.write("glow.shader", "CODE == void main() {}\n");
    ShaderMaker maker(dir.path());
    EXPECT_EQ(maker.create("glow.shader"), nullptr);  // 'glow' has no stage suffix
    EXPECT_EQ(maker.create("glow.FS"), nullptr);      // neither .glsl nor .shader
    EXPECT_EQ(maker.create("glow.FS", "", {}), nullptr);
    EXPECT_EQ(maker.create("glow.FS", dir.file("missing.shader")), nullptr);
    EXPECT_EQ(maker.create("x.FS", "", {"missing.glsl"}), nullptr);

    MatSys::ShaderStore store(&maker);
    EXPECT_EQ(store.get("glow.shader", true), nullptr);
    EXPECT_FALSE(store.exists("glow.shader"));
    std::vector<std::string> suffixes;
    store.getTypeStrings(suffixes);
    EXPECT_EQ(suffixes.size(), 2u);

    MatSys::ShaderStore withoutMaker(nullptr);
    EXPECT_EQ(withoutMaker.add("a.FS.glsl"), nullptr);
    suffixes.clear();
    withoutMaker.getTypeStrings(suffixes);
    EXPECT_TRUE(suffixes.empty());
}

}  // namespace
