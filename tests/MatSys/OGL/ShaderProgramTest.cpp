#include "support/GLTest.h"
#include "support/TempDir.h"

#include <memory>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "MatSys/I_Shader.h"
#include "MatSys/OGL/Shader.h"
#include "MatSys/OGL/ShaderMaker.h"
#include "MatSys/OGL/ShaderProgram.h"
#include "MatSys/OGL/ShaderProgramMaker.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/ShaderStore.h"

namespace {

using Pixel = std::vector<unsigned char>;
using MatSys::I_ShaderProgram;
using MatSys::ShaderParams;
using MatSys::OGL::ShaderProgram;

const char* const kPassVertex = "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n";
const char* const kTintFragment =
    "#version 120\nuniform vec4 tint;\nvoid main() { gl_FragColor = tint; }\n";

ShaderParams paramsOf(const std::vector<std::string>& lines) {
    ShaderParams params;
    params.add(lines);
    return params;
}

class ShaderProgramTest : public TestSupport::GLTest {
protected:
    void SetUp() override {
        TestSupport::GLTest::SetUp();
        if (IsSkipped())
            return;
        shaderMaker = std::make_unique<MatSys::OGL::ShaderMaker>(dir.path());
        shaders = std::make_unique<MatSys::ShaderStore>(shaderMaker.get());
        programMaker = std::make_unique<MatSys::OGL::ShaderProgramMaker>(shaders.get(), dir.path());
        programs = std::make_unique<MatSys::ShaderProgramStore>(programMaker.get());
    }
    void TearDown() override {
        programs.reset();
        programMaker.reset();
        shaders.reset();
        shaderMaker.reset();
        vsKeep.reset();
        fsKeep.reset();
        TestSupport::GLTest::TearDown();
    }

    // Draws a quad over the whole window with the current program and reads its middle.
    Pixel drawAndRead() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_QUADS);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
        glFinish();
        return pixelAt(kWidth / 2, kHeight / 2);
    }

    // A program linked from vertex and fragment code written into one ".shader" file.
    std::unique_ptr<ShaderProgram> linkCode(const std::string& vertex, const std::string& fragment,
                                            std::string& log) {
        static int counter = 0;
        std::string file = "code" + std::to_string(++counter) + ".shader";
        dir.write(file, "p.VS_CODE == \"" + vertex + "\"\np.FS_CODE == \"" + fragment + "\"\n");
        MatSys::OGL::ShaderMaker maker(dir.path());
        vsKeep.reset(maker.create("p.VS", dir.file(file)));
        fsKeep.reset(maker.create("p.FS", dir.file(file)));
        EXPECT_TRUE(vsKeep && fsKeep);
        auto program = std::make_unique<ShaderProgram>();
        if (!vsKeep || !fsKeep)
            return program;
        if (!program->link({vsKeep.get(), fsKeep.get()}, log))
            program.reset();
        return program;
    }

    std::vector<float> uniform4(const ShaderProgram& program, const char* name) {
        std::vector<float> value(4, -1.0f);
        glGetUniformfv(program.getID(), glGetUniformLocation(program.getID(), name), value.data());
        return value;
    }

    TestSupport::TempDir dir;
    std::unique_ptr<MatSys::OGL::ShaderMaker> shaderMaker;
    std::unique_ptr<MatSys::ShaderStore> shaders;
    std::unique_ptr<MatSys::OGL::ShaderProgramMaker> programMaker;
    std::unique_ptr<MatSys::ShaderProgramStore> programs;
    std::unique_ptr<MatSys::I_Shader> vsKeep, fsKeep;
};

TEST_F(ShaderProgramTest, StoreMakesAFragmentShaderFromAGlslFileUnderItsFullName) {
    dir.write("glow.FS.glsl", kTintFragment);
    MatSys::I_Shader* shader = shaders->get("glow.FS.glsl", true);
    ASSERT_NE(shader, nullptr);
    EXPECT_TRUE(shaders->exists("glow.FS.glsl"));
    EXPECT_FALSE(shaders->exists("glow.FS"));
    GLint type = 0;
    glGetShaderiv(shader->getID(), GL_SHADER_TYPE, &type);
    EXPECT_EQ(type, GL_FRAGMENT_SHADER);
    EXPECT_EQ(shaders->get("glow.FS.glsl", true), shader);
}

TEST_F(ShaderProgramTest, GlslFilesGetConfigurationKeysSubstituted) {
    CFG::global()->add("GLOW_GREEN", "0.5");
    dir.write("pass.VS.glsl", kPassVertex);
    dir.write(
        "glow.FS.glsl",
        "#version 120\nvoid main() { gl_FragColor = vec4(1.0, ::GLOW_GREEN::, 0.0, 1.0); }\n");
    I_ShaderProgram* program = programs->add(
        "glow", ShaderParams(), std::vector<std::string>{"pass.VS.glsl", "glow.FS.glsl"});
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(program->beginUsing(nullptr));
    Pixel pixel = drawAndRead();
    program->endUsing();
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 0);
}

TEST_F(ShaderProgramTest, ShaderFileWithOnlyCodeServesEveryShaderName) {
    dir.write(
        "solid.shader",
        "CODE == \"#version 120\nvoid main() { gl_FragColor = vec4(0.0, 0.0, 1.0, 1.0); }\"\n");
    dir.write("pass.VS.glsl", kPassVertex);
    MatSys::I_Shader* one = shaders->add("one.FS", dir.file("solid.shader"));
    MatSys::I_Shader* two = shaders->add("two.FS", dir.file("solid.shader"));
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_NE(one, two);
    I_ShaderProgram* program =
        programs->add("blue", ShaderParams(), std::vector<std::string>{"pass.VS.glsl", "two.FS"});
    ASSERT_NE(program, nullptr);
    program->beginUsing(nullptr);
    EXPECT_EQ(drawAndRead(), (Pixel{0, 0, 255, 255}));
    program->endUsing();
}

TEST_F(ShaderProgramTest, CodeComesBeforeTheNamedFilesInTheSourceList) {
    // The code declares the function that the file's main calls: the other order fails.
    dir.write("body.glsl", "void main() { gl_FragColor = shade(); }\n");
    dir.write("mix.shader",
              "mix.FS_CODE == \"#version 120\nvec4 shade() { return vec4(0.0, 1.0, 0.0, 1.0); }\"\n"
              "mix.FS_FILES == body.glsl\n");
    dir.write("pass.VS.glsl", kPassVertex);
    ASSERT_NE(shaders->add("mix.FS", dir.file("mix.shader")), nullptr);
    I_ShaderProgram* program =
        programs->add("green", ShaderParams(), std::vector<std::string>{"pass.VS.glsl", "mix.FS"});
    ASSERT_NE(program, nullptr);
    program->beginUsing(nullptr);
    EXPECT_EQ(drawAndRead(), (Pixel{0, 255, 0, 255}));
    program->endUsing();
}

TEST_F(ShaderProgramTest, PrgFileNamesShadersAndParametersThatReachTheUniforms) {
    dir.write("a.VS.glsl", kPassVertex);
    dir.write("tinted.prg",
              "tinted_SHADERS == a.VS b.FS\n"
              "b.FS_CODE == \"" +
                  std::string(kTintFragment) +
                  "\"\n"
                  "a.VS_FILES == a.VS.glsl\n"
                  "tinted_PARAMS == \"tint : 4f : 1, 0, 1, 1\n"
                  "  scale = 1f = 3\"\n");
    ShaderParams callers = paramsOf({"tint : 4f : 0, 1, 0, 1", "extra : 1i : 4"});
    I_ShaderProgram* program = programs->add("tinted.prg", callers);
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(shaders->exists("a.VS"));
    EXPECT_TRUE(shaders->exists("b.FS"));

    const ShaderParams& own = program->getParams();
    EXPECT_EQ(own.size(), 3u);
    EXPECT_FLOAT_EQ(own.find("tint").getFloats()[0], 1.0f);  // the file's line wins
    EXPECT_FLOAT_EQ(own.find("scale").getFloats()[0], 3.0f);
    EXPECT_EQ(own.find("extra").getInts()[0], 4);

    // 'scale' and 'extra' are no uniforms of the program: binding stops at 'extra', the
    // first in name order, before 'tint' is reached.
    EXPECT_FALSE(program->beginUsing(nullptr));
    program->endUsing();

    ShaderParams tintOnly = paramsOf({"tint : 4f : 1, 0, 1, 1"});
    ASSERT_TRUE(program->beginUsing(&tintOnly));
    EXPECT_EQ(drawAndRead(), (Pixel{255, 0, 255, 255}));
    program->endUsing();
}

TEST_F(ShaderProgramTest, AttributesGetTheFixedLocationsOfTheVertexArrays) {
    std::string log;
    auto program = linkCode(
        "#version 120\nattribute vec4 in_vtx; attribute vec4 vert_atr2; attribute vec4 atr0;"
        " attribute vec2 my_texcoord; attribute vec4 v_clr;\n"
        "varying vec4 c;\nvoid main() { c = vert_atr2 + atr0 + v_clr + vec4(my_texcoord, 0, 0);"
        " gl_Position = in_vtx; }",
        "#version 120\nvarying vec4 c;\nvoid main() { gl_FragColor = c; }", log);
    ASSERT_TRUE(program) << log;
    EXPECT_EQ(glGetAttribLocation(program->getID(), "in_vtx"), 0);
    EXPECT_EQ(glGetAttribLocation(program->getID(), "my_texcoord"), 1);
    EXPECT_EQ(glGetAttribLocation(program->getID(), "v_clr"), 2);
    EXPECT_EQ(glGetAttribLocation(program->getID(), "atr0"), 3);
    EXPECT_EQ(glGetAttribLocation(program->getID(), "vert_atr2"), 5);
}

TEST_F(ShaderProgramTest, UnrecognisedAttributeNamesFailTheLinkWithAnEmptyLog) {
    const char* fragment = "#version 120\nvarying vec4 c;\nvoid main() { gl_FragColor = c; }";
    // 'weight' has no recognised form; 'v_atr4' would be location 7, past the last one.
    for (std::string attribute : {"weight", "v_atr4"}) {
        std::string log = "not cleared";
        auto program = linkCode("#version 120\nattribute vec4 " + attribute +
                                    ";\nvarying vec4 c;\n"
                                    "void main() { c = " +
                                    attribute + "; gl_Position = vec4(0.0); }",
                                fragment, log);
        EXPECT_FALSE(program) << attribute;
        EXPECT_EQ(log, "") << attribute;
    }
}

TEST_F(ShaderProgramTest, BuiltInUniformsLinkButStayOutOfTheTable) {
    std::string log;
    auto program = linkCode(
        "#version 120\nuniform float lift;\nvoid main() { gl_Position = gl_ModelViewMatrix *"
        " gl_Vertex + vec4(lift); }",
        kTintFragment, log);
    ASSERT_TRUE(program) << log;
    EXPECT_EQ(program->getUniformLocation("gl_ModelViewMatrix"), -1);
    EXPECT_NE(program->getUniformLocation("lift"), -1);
    EXPECT_NE(program->getUniformLocation("tint"), -1);
}

TEST_F(ShaderProgramTest, BindingStopsAtTheFirstParameterThatIsNotAnActiveUniform) {
    std::string log;
    auto program = linkCode(kPassVertex,
                            "#version 120\nuniform vec4 alpha; uniform vec4 zeta;\n"
                            "void main() { gl_FragColor = alpha + zeta; }",
                            log);
    ASSERT_TRUE(program) << log;

    ShaderParams alphaBeta = paramsOf({"alpha : 4f : 1,2,3,4", "beta : 4f : 5,5,5,5"});
    EXPECT_FALSE(program->beginUsing(&alphaBeta));
    EXPECT_EQ(uniform4(*program, "alpha"), (std::vector<float>{1, 2, 3, 4}));

    ShaderParams aaaZeta = paramsOf({"aaa : 4f : 9,9,9,9", "zeta : 4f : 7,7,7,7"});
    EXPECT_FALSE(program->beginUsing(&aaaZeta));
    EXPECT_EQ(uniform4(*program, "zeta"), (std::vector<float>{0, 0, 0, 0}));

    ShaderParams badType = paramsOf({"alpha : 4x : 1,1,1,1", "zeta : 4f : 7,7,7,7"});
    EXPECT_FALSE(program->beginUsing(&badType));
    EXPECT_EQ(uniform4(*program, "zeta"), (std::vector<float>{0, 0, 0, 0}));

    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(GLuint(current), program->getID());
    program->endUsing();
}

TEST_F(ShaderProgramTest, OwnParametersAreBoundOnceAfterTheyChange) {
    std::string log;
    auto program = linkCode(kPassVertex, kTintFragment, log);
    ASSERT_TRUE(program) << log;
    program->setParams(paramsOf({"tint : 4f : 0.5, 0.5, 0.5, 1"}));
    ASSERT_TRUE(program->beginUsing(nullptr));
    EXPECT_EQ(uniform4(*program, "tint"), (std::vector<float>{0.5, 0.5, 0.5, 1}));

    glUniform4f(program->getUniformLocation("tint"), 0, 0, 0, 0);
    ASSERT_TRUE(program->beginUsing(nullptr));  // nothing pending: the value stays
    EXPECT_EQ(uniform4(*program, "tint"), (std::vector<float>{0, 0, 0, 0}));

    // Someone else's parameters make the own ones pending again.
    ShaderParams other = paramsOf({"tint : 4f : 1, 1, 1, 1"});
    ASSERT_TRUE(program->beginUsing(&other));
    EXPECT_EQ(uniform4(*program, "tint"), (std::vector<float>{1, 1, 1, 1}));
    ASSERT_TRUE(program->beginUsing(nullptr));
    EXPECT_EQ(uniform4(*program, "tint"), (std::vector<float>{0.5, 0.5, 0.5, 1}));
    program->endUsing();
}

TEST_F(ShaderProgramTest, BindsEveryParameterType) {
    std::string log;
    auto program = linkCode(
        kPassVertex,
        "#version 120\nuniform float f1; uniform vec2 f2; uniform ivec3 i3; uniform int i1;"
        " uniform float arr[3]; uniform ivec2 iarr[2]; uniform sampler2D tex;\n"
        "void main() { gl_FragColor = vec4(f1 + f2.x + float(i3.z + i1 + iarr[1].y) +"
        " arr[2]) + texture2D(tex, vec2(0.0)); }",
        log);
    ASSERT_TRUE(program) << log;
    ShaderParams params =
        paramsOf({"f1 : 1f : 1.5", "f2 : 2f : 2, 3", "i3 : 3i : 1, 2, 0x10", "i1 : 1i : 7",
                  "arr : 1fv : 4, 5, 6", "iarr : 2iv : 1, 2, 3, 4", "tex : sampler2D : 3"});
    ASSERT_TRUE(program->beginUsing(&params));
    GLuint id = program->getID();
    float f[3] = {0, 0, 0};
    GLint i[3] = {0, 0, 0};
    glGetUniformfv(id, glGetUniformLocation(id, "f1"), f);
    EXPECT_FLOAT_EQ(f[0], 1.5f);
    glGetUniformfv(id, glGetUniformLocation(id, "f2"), f);
    EXPECT_FLOAT_EQ(f[1], 3.0f);
    glGetUniformiv(id, glGetUniformLocation(id, "i3"), i);
    EXPECT_EQ(i[2], 16);
    glGetUniformfv(id, glGetUniformLocation(id, "arr[2]"), f);
    EXPECT_FLOAT_EQ(f[0], 6.0f);
    glGetUniformiv(id, glGetUniformLocation(id, "iarr[1]"), i);
    EXPECT_EQ(i[1], 4);
    glGetUniformiv(id, glGetUniformLocation(id, "tex"), i);
    EXPECT_EQ(i[0], 3);
    program->endUsing();
}

TEST_F(ShaderProgramTest,
       ProgramStoreReplacesParametersOfAHeldProgramOnlyThroughTheParameterForms) {
    dir.write("pass.VS.glsl", kPassVertex);
    dir.write("tint.FS.glsl", kTintFragment);
    std::vector<std::string> names{"pass.VS.glsl", "tint.FS.glsl"};
    I_ShaderProgram* program = programs->add("lit", paramsOf({"tint : 4f : 1,1,1,1"}), names);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(programs->add("lit", paramsOf({"tint : 4f : 0,0,0,1"}), names), program);
    EXPECT_FLOAT_EQ(program->getParams().find("tint").getFloats()[0], 1.0f);

    EXPECT_EQ(programs->add("lit", paramsOf({"tint : 4f : 0.25,0,0,1"})), program);
    EXPECT_FLOAT_EQ(program->getParams().find("tint").getFloats()[0], 0.25f);
    EXPECT_EQ(programs->get("lit", true), program);
    EXPECT_EQ(programs->get("lit", false), program);

    EXPECT_EQ(programs->get("nothing", false), nullptr);
    EXPECT_EQ(programs->get("nothing", true), nullptr);
    EXPECT_FALSE(programs->exists("nothing"));
}

TEST_F(ShaderProgramTest, ProgramsAreLinkedFromTheShadersThatCouldBeMade) {
    dir.write("pass.VS.glsl", kPassVertex);
    dir.write("broken.FS.glsl", "#version 120\nvoid main() { gl_FragColor = nonsense; }\n");
    EXPECT_EQ(shaders->get("broken.FS.glsl", true), nullptr);
    EXPECT_FALSE(shaders->exists("broken.FS.glsl"));

    I_ShaderProgram* partial = programs->add(
        "partial", ShaderParams(), std::vector<std::string>{"pass.VS.glsl", "broken.FS.glsl"});
    EXPECT_NE(partial, nullptr);
    EXPECT_EQ(
        programs->add("none", ShaderParams(), std::vector<std::string>{"broken.FS.glsl", "x.FS"}),
        nullptr);
    EXPECT_FALSE(programs->exists("none"));

    // A lone name is the name of the program's only shader.
    dir.write("solo.FS.glsl", kTintFragment);
    EXPECT_NE(programs->get("solo.FS.glsl", true), nullptr);
}

TEST_F(ShaderProgramTest, StoreIteratorsWalkInNameOrder) {
    dir.write("pass.VS.glsl", kPassVertex);
    dir.write("tint.FS.glsl", kTintFragment);
    programs->add("b", ShaderParams(), std::vector<std::string>{"tint.FS.glsl", "pass.VS.glsl"});
    programs->add("a", ShaderParams(), std::vector<std::string>{"pass.VS.glsl"});
    std::unique_ptr<MatSys::ShaderStoreIterator> shaderIt(shaders->getIterator());
    std::vector<std::string> names;
    for (shaderIt->first(); !shaderIt->isDone(); shaderIt->next())
        names.push_back(shaderIt->currentItem().first);
    EXPECT_EQ(names, (std::vector<std::string>{"pass.VS.glsl", "tint.FS.glsl"}));

    std::unique_ptr<MatSys::ShaderProgramStoreIterator> programIt(programs->getIterator());
    names.clear();
    for (programIt->first(); !programIt->isDone(); programIt->next()) {
        ASSERT_NE(programIt->currentItem().second, nullptr);
        names.push_back(programIt->currentItem().first);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    programs->destroy("a");
    EXPECT_FALSE(programs->exists("a"));
    shaders->clear();
    EXPECT_FALSE(shaders->exists("pass.VS.glsl"));
}

TEST_F(ShaderProgramTest, ShadersCompileOnceAndReportTheirLog) {
    MatSys::OGL::Shader bad(GL_FRAGMENT_SHADER, {"#version 120\nvoid main() { oops }\n"});
    std::string log;
    EXPECT_FALSE(bad.compile(log));
    EXPECT_FALSE(log.empty());
    EXPECT_NE(bad.getID(), 0u);

    MatSys::OGL::Shader good(GL_VERTEX_SHADER,
                             {"#version 120\n", "void main() { gl_Position = gl_Vertex; }\n"});
    EXPECT_TRUE(good.compile(log));
    EXPECT_TRUE(log.empty());
    unsigned id = good.getID();
    EXPECT_TRUE(good.compile(log));
    EXPECT_EQ(good.getID(), id);
}

TEST_F(ShaderProgramTest, AFailedShaderKeepsReportingItsFailure) {
    MatSys::OGL::Shader bad(GL_FRAGMENT_SHADER, {"#version 120\nvoid main() { oops }\n"});
    std::string firstLog;
    ASSERT_FALSE(bad.compile(firstLog));
    unsigned id = bad.getID();
    std::string laterLog;
    EXPECT_FALSE(bad.compile(laterLog));
    EXPECT_EQ(laterLog, firstLog);
    EXPECT_EQ(bad.getID(), id);
}

}  // namespace
