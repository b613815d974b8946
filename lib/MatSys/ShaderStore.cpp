#include "MatSys/ShaderStore.h"

#include "MatSys/I_Shader.h"
#include "MatSys/I_ShaderMaker.h"

namespace MatSys {

ShaderStore::ShaderStore(I_ShaderMaker* shaderMaker)
    : maker(shaderMaker), impl(std::make_unique<Util::NamePtrStore<I_Shader>>("ShaderStore")) {}

ShaderStore::~ShaderStore() = default;

void ShaderStore::setShaderMaker(I_ShaderMaker* shaderMaker) {
    maker = shaderMaker;
}

bool ShaderStore::exists(const std::string& name) const {
    return impl->exists(name);
}

I_Shader* ShaderStore::get(const std::string& name, bool create) {
    I_Shader* held = impl->get(name);
    if (held || !create || !maker) {
        return held;
    }
    return keep(name, maker->create(name));
}

I_Shader* ShaderStore::add(const std::string& name, I_Shader* shader) {
    return impl->add(name, shader);
}

I_Shader* ShaderStore::add(const std::string& name) {
    return add(name, name);
}

I_Shader* ShaderStore::add(const std::string& name, const std::string& path) {
    I_Shader* held = impl->get(name);
    if (held || !maker) {
        return held;
    }
    return keep(name, maker->create(name, path));
}

void ShaderStore::destroy(const std::string& name) {
    impl->destroy(name);
}

void ShaderStore::clear() {
    impl->clear();
}

void ShaderStore::getTypeStrings(std::vector<std::string>& out) const {
    if (maker) {
        maker->getTypeStrings(out);
    }
}

ShaderStoreIterator* ShaderStore::getIterator() const {
    return new ShaderStoreIterator(impl->getPairIterator());
}

// Stores a shader just made for a name known to be free; null stays null.
I_Shader* ShaderStore::keep(const std::string& name, I_Shader* made) {
    if (!made) {
        return nullptr;
    }
    return add(name, made);
}

ShaderStoreIterator::ShaderStoreIterator(Util::NamePtrStoreIterator<I_Shader>* pairWalker)
    : walker(pairWalker) {}

ShaderStoreIterator::~ShaderStoreIterator() = default;

void ShaderStoreIterator::first() {
    walker->first();
}

void ShaderStoreIterator::next() {
    walker->next();
}

bool ShaderStoreIterator::isDone() const {
    return walker->isDone();
}

std::pair<std::string, I_Shader*> ShaderStoreIterator::currentItem() const {
    return walker->currentItem();
}

}  // namespace MatSys
