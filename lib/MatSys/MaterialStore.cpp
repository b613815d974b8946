#include "MatSys/MaterialStore.h"

#include "MatSys/Material.h"
#include "MatSys/MaterialMaker.h"

namespace MatSys {

namespace {

constexpr const char* kNoMakerExt = "WTH!!";

}  // namespace

MaterialStore::MaterialStore(MaterialMaker* materialMaker)
    : maker(materialMaker), impl(std::make_unique<Impl>()) {}

MaterialStore::~MaterialStore() = default;

std::string MaterialStore::getMatdefExt() const {
    return maker ? maker->getMatdefExt() : kNoMakerExt;
}

void MaterialStore::setMaterialMaker(MaterialMaker* materialMaker) {
    maker = materialMaker;
}

bool MaterialStore::exists(const std::string& name) const {
    return impl->exists(name);
}

Material* MaterialStore::get(const std::string& name, bool create) {
    Material* held = impl->get(name);
    if (held || !create) {
        return held;
    }
    return add(name, static_cast<ShaderParams*>(nullptr));
}

Material* MaterialStore::add(const std::string& name, Material* material) {
    return impl->add(name, material);
}

Material* MaterialStore::add(const std::string& name, ShaderParams* params) {
    if (Material* held = impl->get(name)) {
        held->setParams(params);
        return held;
    }
    return maker ? keep(name, maker->create(name, params)) : nullptr;
}

Material* MaterialStore::add(const std::string& name, ShaderParams* params,
                             const std::string& path) {
    if (Material* held = impl->get(name)) {
        if (params) {
            held->setParams(params);
        }
        return held;
    }
    return maker ? keep(name, maker->create(name, params, path)) : nullptr;
}

void MaterialStore::destroy(const std::string& name) {
    impl->destroy(name);
}

void MaterialStore::clear() {
    impl->clear();
}

MaterialStoreIterator* MaterialStore::getIterator() const {
    return new MaterialStoreIterator(impl->getPairIterator());
}

// Stores a material just made for a name known to be free; null stays null.
Material* MaterialStore::keep(const std::string& name, Material* made) {
    if (!made) {
        return nullptr;
    }
    return add(name, made);
}

MaterialStoreIterator::MaterialStoreIterator(Util::NamePtrStoreIterator<Material>* pairWalker)
    : walker(pairWalker) {}

MaterialStoreIterator::~MaterialStoreIterator() = default;

void MaterialStoreIterator::first() {
    walker->first();
}

void MaterialStoreIterator::next() {
    walker->next();
}

bool MaterialStoreIterator::isDone() const {
    return walker->isDone();
}

std::pair<std::string, Material*> MaterialStoreIterator::currentItem() const {
    return walker->currentItem();
}

}  // namespace MatSys
