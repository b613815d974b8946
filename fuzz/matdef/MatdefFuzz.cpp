// Loads materials, programs and shaders from arbitrary definition files through the
// material system facade, on a hidden OpenGL context. The input is split at its first
// four NUL bytes into up to five files beside each other: "m.matdef", "p.prg",
// "v.VS.shader", "f.FS.shader" and the image "t.tga", which takes the rest. The facade
// reads "m.matdef" as its own path; the target asks it for the material "m" (keys of the
// facade's file), "m.matdef" (by extension) and the program "p.prg", then uses every
// material it made and checks what the system promises: texture units within the named
// ones, at most one entry per unit, and unit 0 and no program current afterwards.
// Nothing is drawn (a fuzzed shader may loop for ever). Fatal reports (units and counts
// beyond the limits) are turned into exceptions by the report hook; a number that cannot
// be read throws std::domain_error by design.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "MatSys/Material.h"
#include "MatSys/MaterialStore.h"
#include "MatSys/MaterialSystemFacade.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/TextureLimits.h"
#include "fuzz/support/FuzzSupport.h"

namespace {

using FuzzSupport::check;
using FuzzSupport::surviveIntendedEndings;

const char* const kFiles[] = {"m.matdef", "p.prg", "v.VS.shader", "f.FS.shader", "t.tga"};
constexpr int kWindowSide = 16;

// A hidden window whose context stays current for the whole run. Mesa's on-disk shader
// cache is turned off first: with it, a source once compiled for one stage reads as
// compiled for another, and the driver's own deferred compile at link time then reads
// freed memory inside glLinkProgram (seen with llvmpipe). Runs must also not depend on
// what earlier runs left in the cache.
void makeContext() {
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    setenv("MESA_GLSL_CACHE_DISABLE", "true", 0);
    if (glfwInit() != GLFW_TRUE) {
        std::fprintf(stderr, "fuzz_matdef: no window system for an OpenGL context\n");
        std::abort();
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window =
        glfwCreateWindow(kWindowSide, kWindowSide, "fuzz_matdef", nullptr, nullptr);
    if (!window) {
        std::fprintf(stderr, "fuzz_matdef: no OpenGL context\n");
        std::abort();
    }
    glfwMakeContextCurrent(window);
}

// The context and the private directory the definition files are written to, made on
// the first call; the directory is removed at exit.
const std::string& setUpOnce() {
    static bool contextMade = false;
    if (!contextMade) {
        makeContext();
        contextMade = true;
    }
    return FuzzSupport::setUpOnce("matdef");
}

// Writes the input's NUL-separated pieces to the files, in order; the image, last, takes
// the rest of the input whatever bytes it holds. Missing pieces give empty files.
void writeFiles(const std::string& directory, const char* bytes, size_t size) {
    constexpr size_t kLast = sizeof kFiles / sizeof kFiles[0] - 1;
    size_t start = 0;
    for (size_t file = 0; file <= kLast; ++file) {
        size_t end = start;
        while (end < size && (file == kLast || bytes[end] != '\0')) {
            ++end;
        }
        FuzzSupport::writeFile(directory + "/" + kFiles[file], bytes + start, end - start);
        start = end < size ? end + 1 : size;
    }
}

void checkMaterial(MatSys::Material& material) {
    std::set<int> units;
    for (const auto& bound : material.getTextures()) {
        check(bound.first >= 0 && bound.first < MatSys::kMaxTextureUnits);
        check(bound.second != nullptr);
        check(units.insert(bound.first).second);
    }
    material.beginUsing();
    material.endUsing();
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    check(active == GL_TEXTURE0);
    check(material.getProgram() == nullptr || program == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& directory = setUpOnce();
    // Include keys name files relative to the working directory: keep it the private one.
    FuzzSupport::WorkingDirectory inPrivateDirectory(directory);
    writeFiles(directory, reinterpret_cast<const char*>(data), size);
    {
        MatSys::MaterialSystemFacade facade(directory + "/" + kFiles[0]);
        surviveIntendedEndings([&] { facade.addMaterial("m"); });
        surviveIntendedEndings([&] { facade.getMaterialStore()->get(kFiles[0], true); });
        surviveIntendedEndings([&] { facade.getShaderProgramStore()->get(kFiles[1], true); });

        std::unique_ptr<MatSys::MaterialStoreIterator> materials(
            facade.getMaterialStore()->getIterator());
        for (materials->first(); !materials->isDone(); materials->next()) {
            if (MatSys::Material* material = materials->currentItem().second) {
                surviveIntendedEndings([&] { checkMaterial(*material); });
            }
        }
    }
    // The uniform calls of a fuzzed parameter set may leave errors behind.
    while (glGetError() != GL_NO_ERROR) {
    }
    return 0;
}
