// Shader and source-file counts in program and shader definitions beyond what the
// OpenGL makers accept. The counts are checked before anything is compiled, so no
// context is needed.
#include <gtest/gtest.h>

#include <string>

#include "MatSys/OGL/ShaderMaker.h"
#include "MatSys/OGL/ShaderProgramMaker.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderStore.h"
#include "support/TempDir.h"

namespace {

// n names "<prefix><i><suffix>" joined by blanks.
std::string names(int n, const std::string& prefix, const std::string& suffix) {
    std::string list;
    for (int i = 0; i < n; ++i) {
        list += (i ? " " : "") + prefix + std::to_string(i) + suffix;
    }
    return list;
}

TEST(MakerBoundsDeathTest, ShaderAndFileCountsBeyondTheLimitsAreReported) {
    TestSupport::TempDir dir;
    MatSys::OGL::ShaderMaker shaderMaker(dir.path());
    MatSys::ShaderStore shaders(&shaderMaker);
    MatSys::OGL::ShaderProgramMaker programMaker(&shaders, dir.path());
    const struct {
        std::string file, content, message;
    } cases[] = {
        {"p.prg", "p_SHADERS == " + names(17, "s", ".FS"),
         "Program p in .*p.prg: p_SHADERS names 17 shaders, more than 16"},
        {"s.FS.shader", "s.FS_FILES == " + names(17, "f", ".glsl"),
         "Shader s.FS in .*s.FS.shader: s.FS_FILES names 17 files, more than 16"},
        {"s.FS.shader", "FILES == " + names(17, "f", ".glsl"),
         "FILES names 17 files, more than 16"},
    };
    for (const auto& c : cases) {
        dir.write(c.file, c.content + "\n");
        if (c.file == "p.prg") {
            EXPECT_DEATH(programMaker.create(c.file, MatSys::ShaderParams()),
                         "ABORT: " + c.message);
        } else {
            EXPECT_DEATH(shaderMaker.create(c.file), "ABORT: .*" + c.message);
        }
    }
}

}  // namespace
