#include "MatSys/ShaderProgramStore.h"

#include "MatSys/I_ShaderProgram.h"
#include "MatSys/I_ShaderProgramMaker.h"
#include "MatSys/ShaderParams.h"

namespace MatSys {

ShaderProgramStore::ShaderProgramStore(I_ShaderProgramMaker* programMaker)
    : maker(programMaker),
      impl(std::make_unique<Util::NamePtrStore<I_ShaderProgram>>("ShaderProgramStore")) {}

ShaderProgramStore::~ShaderProgramStore() = default;

void ShaderProgramStore::setProgramMaker(I_ShaderProgramMaker* programMaker) {
    maker = programMaker;
}

bool ShaderProgramStore::exists(const std::string& name) const {
    return impl->exists(name);
}

I_ShaderProgram* ShaderProgramStore::get(const std::string& name, bool create) {
    I_ShaderProgram* held = impl->get(name);
    if (held || !create) {
        return held;
    }
    return add(name, ShaderParams());
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, I_ShaderProgram* program) {
    return impl->add(name, program);
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, const ShaderParams& params) {
    if (I_ShaderProgram* held = impl->get(name)) {
        held->setParams(params);
        return held;
    }
    return maker ? keep(name, maker->create(name, params)) : nullptr;
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, const ShaderParams& params,
                                         const std::string& path) {
    if (I_ShaderProgram* held = impl->get(name)) {
        held->setParams(params);
        return held;
    }
    return maker ? keep(name, maker->create(name, params, path)) : nullptr;
}

I_ShaderProgram* ShaderProgramStore::add(const std::string& name, const ShaderParams& params,
                                         const std::vector<std::string>& shaderNames) {
    if (I_ShaderProgram* held = impl->get(name)) {
        return held;
    }
    return maker ? keep(name, maker->create(name, params, shaderNames)) : nullptr;
}

void ShaderProgramStore::destroy(const std::string& name) {
    impl->destroy(name);
}

void ShaderProgramStore::clear() {
    impl->clear();
}

ShaderProgramStoreIterator* ShaderProgramStore::getIterator() const {
    return new ShaderProgramStoreIterator(impl->getPairIterator());
}

// Stores a program just made for a name known to be free; null stays null.
I_ShaderProgram* ShaderProgramStore::keep(const std::string& name, I_ShaderProgram* made) {
    if (!made) {
        return nullptr;
    }
    return add(name, made);
}

ShaderProgramStoreIterator::ShaderProgramStoreIterator(
    Util::NamePtrStoreIterator<I_ShaderProgram>* pairWalker)
    : walker(pairWalker) {}

ShaderProgramStoreIterator::~ShaderProgramStoreIterator() = default;

void ShaderProgramStoreIterator::first() {
    walker->first();
}

void ShaderProgramStoreIterator::next() {
    walker->next();
}

bool ShaderProgramStoreIterator::isDone() const {
    return walker->isDone();
}

std::pair<std::string, I_ShaderProgram*> ShaderProgramStoreIterator::currentItem() const {
    return walker->currentItem();
}

}  // namespace MatSys
