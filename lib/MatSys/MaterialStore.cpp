#include "MatSys/MaterialStore.h"

#include "MatSys/Material.h"
#include "MatSys/MaterialMaker.h"

template class Util::MakerStore<MatSys::Material, MatSys::MaterialMaker>;

namespace MatSys {

namespace {

constexpr const char* kNoMakerExt = "WTH!!";

}  // namespace

MaterialStore::MaterialStore(MaterialMaker* materialMaker)
    : MakerStore("MaterialStore", materialMaker) {}

MaterialStore::~MaterialStore() = default;

std::string MaterialStore::getMatdefExt() const {
    return getMaker() ? getMaker()->getMatdefExt() : kNoMakerExt;
}

void MaterialStore::setMaterialMaker(MaterialMaker* materialMaker) {
    setMaker(materialMaker);
}

Material* MaterialStore::get(const std::string& name, bool create) {
    Material* material = held(name);
    if (material || !create) {
        return material;
    }
    return add(name, static_cast<ShaderParams*>(nullptr));
}

Material* MaterialStore::add(const std::string& name, ShaderParams* params) {
    if (Material* material = held(name)) {
        material->setParams(params);
        return material;
    }
    return makeAndKeep(name, [&](MaterialMaker& maker) { return maker.create(name, params); });
}

Material* MaterialStore::add(const std::string& name, ShaderParams* params,
                             const std::string& path) {
    if (Material* material = held(name)) {
        if (params) {
            material->setParams(params);
        }
        return material;
    }
    return makeAndKeep(name,
                       [&](MaterialMaker& maker) { return maker.create(name, params, path); });
}

}  // namespace MatSys
