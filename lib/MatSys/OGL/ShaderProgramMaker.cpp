#include "MatSys/OGL/ShaderProgramMaker.h"

#include <memory>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "MatSys/OGL/ShaderProgram.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderStore.h"
#include "Util/Strings.h"

namespace MatSys::OGL {

ShaderProgramMaker::ShaderProgramMaker(ShaderStore* store, const std::string& dir)
    : shaderStore(store) {
    setLoadDir(dir);
}

void ShaderProgramMaker::setLoadDir(const std::string& dir) {
    loadDir = dir;
    if (!loadDir.empty() && !Util::endswith(loadDir, "/")) {
        loadDir += "/";
    }
}

I_ShaderProgram* ShaderProgramMaker::create(const std::string& name, const ShaderParams& params) {
    if (Util::endswith(name, ".prg")) {
        std::string program = name.substr(0, name.rfind('.'));
        return create(program, params, loadDir + name);
    }
    return create(name, params, std::vector<std::string>{name});
}

I_ShaderProgram* ShaderProgramMaker::create(const std::string& name, const ShaderParams& params,
                                            const std::string& path) {
    CFG::Info definition(path, CFG::getDefaultOverrides());
    std::vector<std::string> shaderNames;
    Util::splitString(definition.get(name + "_SHADERS"), " ", shaderNames, false, true);

    // Shaders not yet held are made from this file's own shader keys, or from their
    // names as file names.
    if (shaderStore) {
        for (const std::string& shader : shaderNames) {
            shaderStore->add(shader, path);
        }
        if (shaderStore->add(name, path)) {
            shaderNames.push_back(name);
        }
    }

    ShaderParams withFileParams(params);
    std::vector<std::string> lines;
    Util::splitString(definition.get(name + "_PARAMS"), "\n", lines, false, true);
    withFileParams.add(lines);

    if (shaderNames.empty()) {
        return create(name, withFileParams);
    }
    return create(name, withFileParams, shaderNames);
}

// The name plays no part: the store keeps the program under it.
I_ShaderProgram* ShaderProgramMaker::create(const std::string& /*name*/, const ShaderParams& params,
                                            const std::vector<std::string>& shaderNames) {
    if (!shaderStore) {
        return nullptr;
    }
    std::vector<I_Shader*> shaders;
    for (const std::string& shaderName : shaderNames) {
        if (I_Shader* shader = shaderStore->get(shaderName, true)) {
            shaders.push_back(shader);
        }
    }
    if (shaders.empty()) {
        return nullptr;
    }
    std::unique_ptr<ShaderProgram> program = std::make_unique<ShaderProgram>();
    std::string log;
    if (!program->link(shaders, log)) {
        return nullptr;
    }
    program->setParams(params);
    return program.release();
}

}  // namespace MatSys::OGL
