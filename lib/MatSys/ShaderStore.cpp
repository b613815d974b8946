#include "MatSys/ShaderStore.h"

#include "MatSys/I_Shader.h"
#include "MatSys/I_ShaderMaker.h"

template class Util::MakerStore<MatSys::I_Shader, MatSys::I_ShaderMaker>;

namespace MatSys {

ShaderStore::ShaderStore(I_ShaderMaker* shaderMaker) : MakerStore("ShaderStore", shaderMaker) {}

ShaderStore::~ShaderStore() = default;

void ShaderStore::setShaderMaker(I_ShaderMaker* shaderMaker) {
    setMaker(shaderMaker);
}

I_Shader* ShaderStore::get(const std::string& name, bool create) {
    if (!create) {
        return held(name);
    }
    return heldOrMade(name, [&](I_ShaderMaker& maker) { return maker.create(name); });
}

I_Shader* ShaderStore::add(const std::string& name) {
    return add(name, name);
}

I_Shader* ShaderStore::add(const std::string& name, const std::string& path) {
    return heldOrMade(name, [&](I_ShaderMaker& maker) { return maker.create(name, path); });
}

void ShaderStore::getTypeStrings(std::vector<std::string>& out) const {
    if (getMaker()) {
        getMaker()->getTypeStrings(out);
    }
}

}  // namespace MatSys
