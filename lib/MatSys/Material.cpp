#include "MatSys/Material.h"

#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_Texture.h"
#include "MatSys/ShaderParams.h"

namespace MatSys {

Material::Material(I_ShaderProgram* shaderProgram, const ShaderParams* materialParams)
    : program(shaderProgram) {
    setParams(materialParams);
}

Material::~Material() = default;

void Material::beginUsing() {
    if (!program) {
        return;
    }
    for (const auto& bound : textures) {
        bound.second->beginUsing(bound.first);
    }
    program->beginUsing(params.get());
}

void Material::endUsing() {
    if (!program) {
        return;
    }
    for (const auto& bound : textures) {
        bound.second->endUsing(bound.first);
    }
    program->endUsing();
}

void Material::setParams(const ShaderParams* newParams) {
    params.reset(newParams ? new ShaderParams(*newParams) : nullptr);
}

const ShaderParams* Material::getParams() const {
    return params.get();
}

void Material::bindTexture(int unit, I_Texture* texture) {
    for (auto& bound : textures) {
        if (bound.first == unit) {
            bound.second = texture;
            return;
        }
    }
    textures.emplace_back(unit, texture);
}

const Material::TextureList& Material::getTextures() const {
    return textures;
}

I_ShaderProgram* Material::getProgram() const {
    return program;
}

}  // namespace MatSys
