// Counts and texture units in definition files beyond what the material system accepts.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/FakeShaderProgram.h"
#include "support/FakeTexture.h"
#include "MatSys/Material.h"
#include "MatSys/MaterialMaker.h"
#include "MatSys/OGL/ShaderMaker.h"
#include "MatSys/OGL/ShaderProgramMaker.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/ShaderStore.h"
#include "MatSys/TextureStore.h"
#include "support/TempDir.h"

namespace {

using TestSupport::Journal;

// n names made by `name` of their index, joined by `separator`.
template <class Name>
std::string listOf(int n, const std::string& separator, Name name) {
    std::string list;
    for (int i = 0; i < n; ++i) {
        list += (i ? separator : "") + name(i);
    }
    return list;
}

class MaterialBounds : public ::testing::Test {
protected:
    MaterialBounds()
        : programMaker(journal),
          programs(&programMaker),
          textureMaker(journal),
          textures(&textureMaker),
          maker(&programs, &textures, dir.path()),
          shaderMaker(dir.path()),
          shaders(&shaderMaker),
          realProgramMaker(&shaders, dir.path()) {
        textureMaker.files = {"t.tga"};
    }

    std::unique_ptr<MatSys::Material> material(const std::string& textures) {
        dir.write("m.matdef", "m_MAT_TEXTURES == " + textures + "\n");
        return std::unique_ptr<MatSys::Material>(maker.create("m.matdef", nullptr));
    }

    TestSupport::TempDir dir;
    Journal journal;
    TestSupport::FakeProgramMaker programMaker;
    MatSys::ShaderProgramStore programs;
    TestSupport::FakeTextureMaker textureMaker;
    MatSys::TextureStore textures;
    MatSys::MaterialMaker maker;
    MatSys::OGL::ShaderMaker shaderMaker;
    MatSys::ShaderStore shaders;
    MatSys::OGL::ShaderProgramMaker realProgramMaker;
};

TEST_F(MaterialBounds, UnitsAndEntriesUpToTheLimitBind) {
    const auto unit = [](int i) { return std::to_string(i) + ":t.tga"; };
    const std::unique_ptr<MatSys::Material> all = material(listOf(32, ",", unit));
    ASSERT_TRUE(all);
    ASSERT_EQ(all->getTextures().size(), 32u);
    EXPECT_EQ(all->getTextures().back().first, 31);
}

using MaterialBoundsDeathTest = MaterialBounds;

// Each row writes one definition file and makes what reads it.
TEST_F(MaterialBoundsDeathTest, UnitsAndCountsBeyondTheLimitsAreReported) {
    const auto unit = [](int i) { return std::to_string(i % 32) + ":t.tga"; };
    const auto shader = [](int i) { return "s" + std::to_string(i) + ".FS"; };
    const auto file = [](int i) { return "f" + std::to_string(i) + ".glsl"; };
    const struct {
        std::string kind, content, message;
    } cases[] = {
        {"material", "32:t.tga",
         "Material m in .*m.matdef: texture unit 32 in m_MAT_TEXTURES "
         "is outside 0-31"},
        {"material", "0:t.tga, -1:t.tga", "texture unit -1 in m_MAT_TEXTURES is outside 0-31"},
        {"material", "2147483647:t.tga", "texture unit 2147483647 in m_MAT_TEXTURES"},
        {"material", listOf(33, ",", unit),
         "m_MAT_TEXTURES has 33 entries, more than the 32 texture units"},
        {"program", "p_SHADERS == " + listOf(17, " ", shader),
         "Program p in .*p.prg: p_SHADERS names 17 shaders, more than 16"},
        {"shader", "s.FS_FILES == " + listOf(17, " ", file),
         "Shader s.FS in .*s.FS.shader: s.FS_FILES names 17 files, more than 16"},
        {"shader", "FILES == " + listOf(17, " ", file), "FILES names 17 files, more than 16"},
    };
    for (const auto& c : cases) {
        if (c.kind == "material") {
            EXPECT_DEATH(material(c.content), "ABORT: .*" + c.message) << c.content;
        } else if (c.kind == "program") {
            dir.write("p.prg", c.content + "\n");
            EXPECT_DEATH(realProgramMaker.create("p.prg", MatSys::ShaderParams()),
                         "ABORT: .*" + c.message);
        } else {
            dir.write("s.FS.shader", c.content + "\n");
            EXPECT_DEATH(shaderMaker.create("s.FS.shader"), "ABORT: .*" + c.message);
        }
    }
}

}  // namespace
