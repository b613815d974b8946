// Running out of memory while loading ends in the fatal report that names what was
// being loaded, at every loader's entry point. The allocation is made to fail on
// purpose; this program replaces operator new for that.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CFG/Info.h"
#include "CFG/LoadAndReplaceCfg.h"
#include "MatSys/MaterialMaker.h"
#include "MatSys/OGL/ShaderMaker.h"
#include "MatSys/OGL/ShaderProgramMaker.h"
#include "MatSys/OGL/TextureMaker.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderProgramStore.h"
#include "SprFont/SpriteFont.h"
#include "support/FailingAllocation.h"
#include "support/TempDir.h"

namespace {

TEST(OutOfMemoryDeathTest, ALoadNamesWhatItWasLoading) {
    TestSupport::TempDir dir;
    const std::string config = dir.write("a.cfg", "A==1\n");
    const std::string shaderSource = dir.write("s.glsl", "void main() {}\n");
    const std::string font = dir.write("f.cfg", "GLYPH_WIDTH==6\n");
    const std::string material = dir.write("m.matdef", "m_PROG==p\n");
    const std::string shader = dir.write("s.shader", "s_TYPE==VERTEX\n");
    const std::string program = dir.write("p.prg", "p_SHADERS==s.glsl\n");
    dir.write("t.tga", std::string(64, '\0'));

    CFG::Info info;
    MatSys::ShaderProgramStore programs(nullptr);
    MatSys::MaterialMaker materials(&programs, nullptr, dir.path());
    MatSys::OGL::ShaderMaker shaders(dir.path());
    MatSys::OGL::ShaderProgramMaker programMaker(nullptr, dir.path());
    MatSys::OGL::TextureMaker textures(dir.path());
    const MatSys::ShaderParams noParams;
    std::string text;

    const std::pair<std::function<void()>, std::string> loads[] = {
        {[&] { info.addConfig(config); }, "configuration file " + config},
        {[&] { Files::TextFile::loadAndReplaceCfg(info, shaderSource, text); },
         "text file " + shaderSource},
        {[&] { SprFont::SpriteFont(nullptr, font, 0.0f); }, "font file " + font},
        {[&] { materials.create("m", nullptr, material); }, "material definition file " + material},
        {[&] { shaders.create("s", shader); }, "shader definition file " + shader},
        {[&] { programMaker.create("p", noParams, program); },
         "program definition file " + program},
        {[&] { textures.create("t.tga"); }, "TGA image t.tga"},
    };
    for (const auto& [load, what] : loads) {
        EXPECT_DEATH(
            {
                TestSupport::failAllocation(1);
                load();
            },
            "\nABORT: Out of memory while loading " + what + "\n")
            << what;
    }
}

}  // namespace
