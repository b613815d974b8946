#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Util/I_Iterator.h"
#include "Util/NamePtrStore.h"

namespace MatSys {

class I_Shader;
class I_ShaderMaker;
class ShaderStoreIterator;

// Shaders by name, made on demand by the maker. The store owns every shader it holds.
// Adding under a taken name keeps the held shader and returns it.
class ShaderStore {
public:
    explicit ShaderStore(I_ShaderMaker* maker);  // maker not owned, may be null
    virtual ~ShaderStore();
    ShaderStore(const ShaderStore&) = delete;
    ShaderStore& operator=(const ShaderStore&) = delete;

    virtual void setShaderMaker(I_ShaderMaker* maker);
    virtual bool exists(const std::string& name) const;
    // The held shader, or - when create is true and there is a maker - the maker's shader
    // for the name (by its extension), kept under it. Null when neither works.
    virtual I_Shader* get(const std::string& name, bool create);
    // Takes the shader unless the name is taken; returns what the name now holds.
    virtual I_Shader* add(const std::string& name, I_Shader* shader);
    // add(name, name).
    virtual I_Shader* add(const std::string& name);
    // The held shader, or the maker's shader for name from the definition file at path,
    // kept under name; null without a maker or when nothing was made.
    virtual I_Shader* add(const std::string& name, const std::string& path);
    virtual void destroy(const std::string& name);
    virtual void clear();
    // The maker's stage suffixes; nothing without a maker.
    virtual void getTypeStrings(std::vector<std::string>& out) const;
    // A new iterator over (name, shader) pairs in name order; the caller deletes it.
    virtual ShaderStoreIterator* getIterator() const;

private:
    I_Shader* keep(const std::string& name, I_Shader* made);

    I_ShaderMaker* maker;  // not owned
    std::unique_ptr<Util::NamePtrStore<I_Shader>> impl;
};

class ShaderStoreIterator : public Util::I_Iterator<std::pair<std::string, I_Shader*>> {
public:
    explicit ShaderStoreIterator(Util::NamePtrStoreIterator<I_Shader>* walker);  // takes walker
    ~ShaderStoreIterator() override;

    void first() override;
    void next() override;
    bool isDone() const override;
    std::pair<std::string, I_Shader*> currentItem() const override;

private:
    std::unique_ptr<Util::NamePtrStoreIterator<I_Shader>> walker;
};

}  // namespace MatSys
