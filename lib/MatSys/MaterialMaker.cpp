#include "MatSys/MaterialMaker.h"

#include <memory>
#include <vector>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "MatSys/Material.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/TextureLimits.h"
#include "MatSys/TextureStore.h"
#include "Util/FatalReport.h"
#include "Util/NumberConversion.h"
#include "Util/OutOfMemory.h"
#include "Util/Strings.h"

namespace MatSys {

namespace {

constexpr const char* kDefaultMatdefExt = ".matdef";
constexpr size_t kTextureEntryPieces = 2;
constexpr int kDecimal = 10;
constexpr const char* kTexturesKey = "_MAT_TEXTURES";

}  // namespace

MaterialMaker::MaterialMaker(ShaderProgramStore* programs, TextureStore* textures,
                             const std::string& dir)
    : programStore(programs), textureStore(textures), matdefExt(kDefaultMatdefExt) {
    setLoadDir(dir);
}

MaterialMaker::~MaterialMaker() = default;

void MaterialMaker::setTextureStore(TextureStore* textures) {
    textureStore = textures;
}

TextureStore* MaterialMaker::getTextureStore() const {
    return textureStore;
}

void MaterialMaker::setLoadDir(const std::string& dir) {
    loadDir = dir;
    if (!loadDir.empty() && !Util::endswith(loadDir, "/")) {
        loadDir += "/";
    }
}

void MaterialMaker::setMatdefExt(const std::string& extension) {
    matdefExt = extension;
}

const std::string& MaterialMaker::getMatdefExt() const {
    return matdefExt;
}

Material* MaterialMaker::create(const std::string& /*name*/, I_ShaderProgram* program,
                                ShaderParams* params) {
    if (!program) {
        return nullptr;
    }
    return new Material(program, params);
}

Material* MaterialMaker::create(const std::string& name, const std::string& programName,
                                ShaderParams* params) {
    if (!programStore) {
        return nullptr;
    }
    I_ShaderProgram* program = programStore->get(programName, true);
    if (!program) {
        program = programStore->add(programName, params ? *params : ShaderParams());
    }
    if (!program) {
        return nullptr;
    }
    return create(name, program, params);
}

Material* MaterialMaker::create(const std::string& name, ShaderParams* params) {
    if (Util::endswith(name, matdefExt)) {
        size_t dot = name.rfind('.');
        std::string base = dot == std::string::npos ? name : name.substr(0, dot);
        return create(base, params, loadDir + name);
    }
    return create(name, name, params);
}

Material* MaterialMaker::create(const std::string& name, ShaderParams* params,
                                const std::string& path) try {
    if (!programStore) {
        return nullptr;
    }
    CFG::Info definition(path, CFG::getDefaultOverrides());
    std::string programName = definition.get(name + "_PROG");
    if (programName.empty()) {
        programName = name;
    }
    I_ShaderProgram* program = programStore->add(programName, ShaderParams(), path);
    if (!program) {
        return nullptr;
    }

    std::vector<std::string> lines;
    Util::splitString(definition.get(name + "_MAT_" + programName + "_PARAMS"), "\n", lines, false,
                      true);
    std::unique_ptr<ShaderParams> fromFile;
    ShaderParams* materialParams = params;
    if (!lines.empty()) {
        fromFile = std::make_unique<ShaderParams>();
        fromFile->add(lines);
        if (params) {
            fromFile->merge(*params);
        }
        materialParams = fromFile.get();
    }

    std::unique_ptr<Material> material(create(name, program, materialParams));
    if (material) {
        bindTextureList(material.get(), name, path, definition.get(name + kTexturesKey));
    }
    return material.release();
} catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("material definition file", path);
}

// Binds each 'unit:texture' entry of the list in order; entries without exactly two
// pieces are skipped. A unit outside the ones OpenGL names, or a list of more entries
// than there are units (each entry may load an image), is fatal.
void MaterialMaker::bindTextureList(Material* material, const std::string& name,
                                    const std::string& path, const std::string& list) {
    const std::string key = name + kTexturesKey;
    std::vector<std::string> entries;
    Util::splitString(list, ",", entries, false, true);
    if (entries.size() > size_t(kMaxTextureUnits)) {
        QUORLITH_FATAL("Material " << name << " in " << path << ": " << key << " has "
                                   << entries.size() << " entries, more than the "
                                   << kMaxTextureUnits << " texture units");
    }
    for (const std::string& entry : entries) {
        std::vector<std::string> pieces;
        Util::splitString(entry, ":", pieces, false, true);
        if (pieces.size() != kTextureEntryPieces) {
            continue;
        }
        int unit = Util::strToNum<int>(pieces[0], kDecimal);
        if (unit < 0 || unit >= kMaxTextureUnits) {
            QUORLITH_FATAL("Material " << name << " in " << path << ": texture unit " << unit
                                       << " in " << key << " is outside 0-"
                                       << kMaxTextureUnits - 1);
        }
        bindTexture(material, unit, pieces[1]);
    }
}

Material* MaterialMaker::bindTexture(Material* material, int unit, const std::string& textureName) {
    if (!textureStore) {
        return material;
    }
    if (I_Texture* texture = textureStore->get(textureName, true)) {
        material->bindTexture(unit, texture);
    }
    return material;
}

}  // namespace MatSys
