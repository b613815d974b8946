// Running out of memory while loading ends in the fatal report that names what was
// being loaded, at every loader's entry point. The allocation is made to fail on
// purpose; this program replaces operator new for that.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
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

// A real shortage: the address space is capped just above what is mapped, so reading a
// file of a few megabytes cannot get its memory, and the report still gets written.
#if defined(__SANITIZE_ADDRESS__)
TEST(OutOfMemoryDeathTest, DISABLED_AnExhaustedAddressSpaceStillGetsTheReport) {
    // The address sanitizer maps far more than any cap would allow.
}
#else
// Caps the address space a little above what this process has mapped.
void capAddressSpace() {
    constexpr size_t kHeadroom = size_t(2) << 20;
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    statm >> pages;
    rlimit cap;
    cap.rlim_cur = pages * static_cast<size_t>(sysconf(_SC_PAGESIZE)) + kHeadroom;
    cap.rlim_max = RLIM_INFINITY;
    setrlimit(RLIMIT_AS, &cap);
}

TEST(OutOfMemoryDeathTest, AnExhaustedAddressSpaceStillGetsTheReport) {
    TestSupport::TempDir dir;
    const std::string big =
        dir.write("big.cfg", "BIG==" + std::string(size_t(8) << 20, 'x') + "\n");
    CFG::Info info;
    EXPECT_DEATH(
        {
            capAddressSpace();
            info.addConfig(big);
        },
        "\nABORT: Out of memory while loading configuration file " + big + "\n");
}
#endif

}  // namespace
