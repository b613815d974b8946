// Texture sizes and units, definition chains and attribute numbers beyond what the
// OpenGL makers accept, on a real context.
#include "support/GLTest.h"
#include "support/TempDir.h"

#include <climits>
#include <memory>
#include <string>

#include "MatSys/I_Shader.h"
#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_Texture.h"
#include "MatSys/OGL/ShaderMaker.h"
#include "MatSys/OGL/ShaderProgramMaker.h"
#include "MatSys/OGL/TextureMaker.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderStore.h"

namespace {

using MatSys::OGL::TextureMaker;

std::string repeated(const std::string& piece, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += piece;
    }
    return text;
}

class MakerBoundsGL : public TestSupport::GLTest {
protected:
    void SetUp() override {
        TestSupport::GLTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        shaderMaker = std::make_unique<MatSys::OGL::ShaderMaker>(dir.path());
        shaders = std::make_unique<MatSys::ShaderStore>(shaderMaker.get());
        programMaker = std::make_unique<MatSys::OGL::ShaderProgramMaker>(shaders.get(), dir.path());
    }
    void TearDown() override {
        programMaker.reset();
        shaders.reset();
        shaderMaker.reset();
        TestSupport::GLTest::TearDown();
    }

    TestSupport::TempDir dir;
    std::unique_ptr<MatSys::OGL::ShaderMaker> shaderMaker;
    std::unique_ptr<MatSys::ShaderStore> shaders;
    std::unique_ptr<MatSys::OGL::ShaderProgramMaker> programMaker;
};

// Sizes are refused before OpenGL allocates anything; units outside GL_TEXTURE0 to
// GL_TEXTURE31 bind and release nothing (GL_TEXTURE0 + unit would overflow or name
// another enumerant).
TEST_F(MakerBoundsGL, TexturesBeyondTheSizeLimitsAreNotMadeAndOtherUnitsBindNothing) {
    const struct {
        const char* name;
        unsigned width, height, depth;
        bool made;
    } sizes[] = {
        {"a", 64, 64, 0, true},          {"a", 16385, 1, 0, false},
        {"a", 1, 16385, 0, false},       {"a", 1024, 1024, 1024, false},  // 2^30 texels
        {"vol.3D", 16, 256, 0, true},    {"vol.3D", 1024, 1048576, 0, false},
        {"a", 4294967295u, 1, 0, false},
    };
    TextureMaker maker(dir.path());
    for (const auto& s : sizes) {
        std::unique_ptr<MatSys::I_Texture> texture(
            maker.create(s.name, nullptr, 32, s.width, s.height, s.depth));
        EXPECT_EQ(texture != nullptr, s.made) << s.width << "x" << s.height << "x" << s.depth;
    }

    std::unique_ptr<MatSys::I_Texture> texture(maker.create("a", nullptr, 32, 2, 2, 0));
    ASSERT_TRUE(texture);
    glBindTexture(GL_TEXTURE_2D, 0);
    for (int unit : {-1, 32, INT_MAX, INT_MIN}) {
        texture->beginUsing(unit);
        texture->endUsing(unit);
        GLint active = 0, bound = -1;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(active, GL_TEXTURE0) << unit;
        EXPECT_EQ(bound, 0) << unit;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << unit;
    }
}

// A name ending in ".prg" or ".shader" whose file names nothing leads to the file named
// without that suffix, for at most eight files; an attribute number near the int limit
// is refused without overflowing.
TEST_F(MakerBoundsGL, DefinitionChainsEndAtTheirLimitAndAttributeNumbersCannotOverflow) {
    const std::string fragment = "void main() { gl_FragColor = vec4(1.0); }";
    dir.write("p.prg", "p_SHADERS == p.FS\np.FS_CODE == " + fragment + "\n");
    dir.write("s.FS.shader", "CODE == " + fragment + "\n");
    for (int links : {1, 7, 8, 5000}) {
        const bool made = links < MatSys::OGL::ShaderProgramMaker::kMaxDefinitionChain;
        std::unique_ptr<MatSys::I_ShaderProgram> program(
            programMaker->create("p" + repeated(".prg", links + 1), MatSys::ShaderParams()));
        EXPECT_EQ(program != nullptr, made) << links << " links to p.prg";
        std::unique_ptr<MatSys::I_Shader> shader(
            shaderMaker->create("s.FS" + repeated(".shader", links + 1)));
        EXPECT_EQ(shader != nullptr, made) << links << " links to s.FS.shader";
    }

    dir.write("atr.prg",
              "atr_SHADERS == atr.VS atr.FS\n"
              "atr.VS_CODE == attribute vec4 v_atr2147483647; void main() { gl_Position = "
              "v_atr2147483647; }\n"
              "atr.FS_CODE == " +
                  fragment + "\n");
    std::unique_ptr<MatSys::I_ShaderProgram> program(
        programMaker->create("atr.prg", MatSys::ShaderParams()));
    EXPECT_FALSE(program);
}

}  // namespace
