#include "MatSys/ShaderProgramStore.h"

#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_ShaderProgramMaker.h"
#include "MatSys/ShaderParams.h"

template class Util::MakerStore<MatSys::I_ShaderProgram, MatSys::I_ShaderProgramMaker>;

namespace MatSys {

ShaderProgramStore::ShaderProgramStore(I_ShaderProgramMaker* programMaker)
    : MakerStore("ShaderProgramStore", programMaker) {}

ShaderProgramStore::~ShaderProgramStore() = default;

void ShaderProgramStore::setProgramMaker(I_ShaderProgramMaker* programMaker) {
    setMaker(programMaker);
}

I_ShaderProgram* ShaderProgramStore::get(const std::string& name, bool create) {
    I_ShaderProgram* program = held(name);
    if (program || !create) {
        return program;
    }
    return add(name, ShaderParams());
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, const ShaderParams& params) {
    if (I_ShaderProgram* program = heldWithParams(name, params)) {
        return program;
    }
    return makeAndKeep(name,
                       [&](I_ShaderProgramMaker& maker) { return maker.create(name, params); });
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, const ShaderParams& params,
                                         const std::string& path) {
    if (I_ShaderProgram* program = heldWithParams(name, params)) {
        return program;
    }
    return makeAndKeep(
        name, [&](I_ShaderProgramMaker& maker) { return maker.create(name, params, path); });
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, const ShaderParams& params,
                                         const std::vector<std::string>& shaderNames) {
    return heldOrMade(
        name, [&](I_ShaderProgramMaker& maker) { return maker.create(name, params, shaderNames); });
}

I_ShaderProgram* ShaderProgramStore::heldWithParams(const std::string& name,
                                                    const ShaderParams& params) {
    I_ShaderProgram* program = held(name);
    if (program) {
        program->setParams(params);
    }
    return program;
}

}  // namespace MatSys
