#include "MatSys/OGL/ShaderProgramMaker.h"

#include <memory>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "MatSys/OGL/ShaderProgram.h"
#include "MatSys/ShaderParams.h"
#include "MatSys/ShaderStore.h"
#include "Util/FatalReport.h"
#include "Util/OutOfMemory.h"
#include "Util/Strings.h"

namespace MatSys::OGL {

namespace {

constexpr const char* kDefinitionExt = ".prg";

}  // namespace

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
    if (Util::endswith(name, kDefinitionExt)) {
        std::string program = name.substr(0, name.rfind('.'));
        return create(program, params, loadDir + name);
    }
    return create(name, params, std::vector<std::string>{name});
}

// A definition that names no shaders falls back to the name-based form, where a name
// ending in ".prg" names the next definition file. That chain is walked here in a loop,
// each step removing one suffix and adding that file's parameter lines, and it ends
// after kMaxDefinitionChain files: a name of thousands of ".prg" suffixes would
// otherwise recurse that deep and copy the long name at every step.
I_ShaderProgram* ShaderProgramMaker::create(const std::string& name, const ShaderParams& params,
                                            const std::string& path) try {
    std::string programName = name;
    std::string definitionPath = path;
    ShaderParams withFileParams(params);
    for (int step = 0;; ++step) {
        CFG::Info definition(definitionPath, CFG::getDefaultOverrides());
        const std::string shadersKey = programName + "_SHADERS";
        std::vector<std::string> shaderNames;
        Util::splitString(definition.get(shadersKey), " ", shaderNames, false, true);
        if (shaderNames.size() > kMaxShaders) {
            QUORLITH_FATAL("Program " << programName << " in " << definitionPath << ": "
                                      << shadersKey << " names " << shaderNames.size()
                                      << " shaders, more than " << kMaxShaders);
        }

        // Shaders not yet held are made from this file's own shader keys, or from their
        // names as file names.
        if (shaderStore) {
            for (const std::string& shader : shaderNames) {
                shaderStore->add(shader, definitionPath);
            }
            if (shaderStore->add(programName, definitionPath)) {
                shaderNames.push_back(programName);
            }
        }

        std::vector<std::string> lines;
        Util::splitString(definition.get(programName + "_PARAMS"), "\n", lines, false, true);
        withFileParams.add(lines);

        if (!shaderNames.empty()) {
            return create(programName, withFileParams, shaderNames);
        }
        if (!Util::endswith(programName, kDefinitionExt)) {
            return create(programName, withFileParams, std::vector<std::string>{programName});
        }
        if (step + 1 >= kMaxDefinitionChain) {
            return nullptr;
        }
        definitionPath = loadDir + programName;
        programName = programName.substr(0, programName.rfind('.'));
    }
} catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("program definition file", path);
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
