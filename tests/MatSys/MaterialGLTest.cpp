#include "support/GLTest.h"
#include "support/TempDir.h"

#include <unistd.h>

#include <memory>

#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_Texture.h"
#include "MatSys/Material.h"
#include "MatSys/MaterialStore.h"
#include "MatSys/MaterialSystemFacade.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/TextureStore.h"
#include "support/TgaBytes.h"

namespace {

using Pixel = std::vector<unsigned char>;

// A program 'lit' that multiplies texture unit 0 by a tint, and a material 'wall' that
// uses it with a tint of its own and a texture: all in one file, as the game keeps them.
const char* const kGameCfg =
    "wall_PROG == lit\n"
    "lit_SHADERS == lit.VS lit.FS\n"
    "lit.VS_CODE == \"#version 120\n"
    "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = gl_Vertex; }\"\n"
    "lit.FS_CODE == \"#version 120\n"
    "uniform sampler2D tex; uniform vec4 tint;\n"
    "void main() { gl_FragColor = texture2D(tex, gl_TexCoord[0].st) * tint; }\"\n"
    "lit_PARAMS == \"tex : sampler2D : 0\n"
    "tint : 4f : 1, 1, 1, 1\"\n"
    "wall_MAT_lit_PARAMS == tint : 4f : 1, 0.5, 0, 1\n"
    "wall_MAT_TEXTURES == 0:bricks.NEAR.NMIP.NCMP.tga\n";

class MaterialGLTest : public TestSupport::GLTest {
protected:
    void TearDown() override {
        facade.reset();
        TestSupport::GLTest::TearDown();
    }

    Pixel drawAndRead() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(-1, -1);
        glTexCoord2f(1, 0);
        glVertex2f(1, -1);
        glTexCoord2f(1, 1);
        glVertex2f(1, 1);
        glTexCoord2f(0, 1);
        glVertex2f(-1, 1);
        glEnd();
        glFinish();
        return pixelAt(kWidth / 2, kHeight / 2);
    }

    TestSupport::TempDir dir;
    std::unique_ptr<MatSys::MaterialSystemFacade> facade;
};

TEST_F(MaterialGLTest, MaterialParametersAndTexturesReachTheDrawing) {
    dir.write("data/game.cfg", kGameCfg);
    // Stored B, G, R, A: a light grey-blue texel.
    dir.write("data/bricks.NEAR.NMIP.NCMP.tga",
              TestSupport::tgaFilled(2, 2, 32, {200, 100, 200, 255}));
    facade = std::make_unique<MatSys::MaterialSystemFacade>(dir.file("data/game.cfg"));
    ASSERT_TRUE(facade->addMaterial("wall"));
    MatSys::Material* wall = facade->getMaterial("wall");
    ASSERT_NE(wall, nullptr);
    ASSERT_EQ(wall->getTextures().size(), 1u);
    EXPECT_TRUE(facade->getTextureStore()->exists("bricks.NEAR.NMIP.NCMP.tga"));

    wall->beginUsing();
    Pixel pixel = drawAndRead();
    wall->endUsing();
    // Texel (200, 100, 200) times the material's tint (1, 0.5, 0).
    EXPECT_NEAR(pixel[0], 200, 1);
    EXPECT_NEAR(pixel[1], 50, 1);
    EXPECT_EQ(pixel[2], 0);

    // The program's own parameters come back for a user without parameters.
    MatSys::I_ShaderProgram* lit = facade->getShaderProgramStore()->get("lit", false);
    ASSERT_NE(lit, nullptr);
    MatSys::ShaderParams own;
    own.add(std::vector<std::string>{"tex : sampler2D : 0", "tint : 4f : 0, 0, 1, 1"});
    lit->setParams(own);
    wall->getTextures()[0].second->beginUsing(0);
    lit->beginUsing(nullptr);
    pixel = drawAndRead();
    lit->endUsing();
    wall->getTextures()[0].second->endUsing(0);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_NEAR(pixel[2], 200, 1);

    // ...and the material's tint again while the material is in use.
    wall->beginUsing();
    pixel = drawAndRead();
    wall->endUsing();
    EXPECT_NEAR(pixel[0], 200, 1);
    EXPECT_EQ(pixel[2], 0);
}

TEST_F(MaterialGLTest, AMaterialOnAHeldProgramClearsTheProgramsOwnParameters) {
    dir.write("data/game.cfg", kGameCfg);
    dir.write("data/bricks.NEAR.NMIP.NCMP.tga",
              TestSupport::tgaFilled(1, 1, 32, {255, 255, 255, 255}));
    facade = std::make_unique<MatSys::MaterialSystemFacade>(dir.file("data/game.cfg"));
    MatSys::ShaderProgramStore* programs = facade->getShaderProgramStore();
    MatSys::I_ShaderProgram* lit =
        programs->add("lit", MatSys::ShaderParams(), dir.file("data/game.cfg"));
    ASSERT_NE(lit, nullptr);
    EXPECT_EQ(lit->getParams().size(), 2u);
    ASSERT_TRUE(facade->addMaterial("wall"));
    EXPECT_EQ(lit->getParams().size(), 0u);

    MatSys::Material* wall = facade->getMaterial("wall");
    wall->beginUsing();
    Pixel pixel = drawAndRead();
    wall->endUsing();
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
}

TEST_F(MaterialGLTest, TheFacadeDirectoryIsThePathUpToItsLastSlashOrThePathItself) {
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    dir.write("game.cfg/x.tga", TestSupport::tgaFilled(1, 1, 32, {1, 2, 3, 4}));
    dir.write("y.tga", TestSupport::tgaFilled(1, 1, 32, {1, 2, 3, 4}));

    MatSys::MaterialSystemFacade underFile("game.cfg");
    EXPECT_NE(underFile.getTextureStore()->get("x.tga", true), nullptr);
    EXPECT_EQ(underFile.getTextureStore()->get("y.tga", true), nullptr);

    MatSys::MaterialSystemFacade workingDir("");
    EXPECT_NE(workingDir.getTextureStore()->get("y.tga", true), nullptr);
    EXPECT_EQ(workingDir.getTextureStore()->get("x.tga", true), nullptr);
}

}  // namespace
