#pragma once

#include <memory>
#include <string>
#include <utility>

#include "MatSys/Material.h"
#include "Util/I_Iterator.h"
#include "Util/NamePtrStore.h"

namespace MatSys {

class MaterialMaker;
class MaterialStoreIterator;
class ShaderParams;

// Materials by name, made on demand by the maker. The store owns every material it
// holds. Adding under a taken name keeps the held material (its parameters may change).
class MaterialStore {
public:
    class Impl;

    explicit MaterialStore(MaterialMaker* maker);  // maker not owned, may be null
    virtual ~MaterialStore();
    MaterialStore(const MaterialStore&) = delete;
    MaterialStore& operator=(const MaterialStore&) = delete;

    // The maker's definition extension; "WTH!!" without a maker.
    virtual std::string getMatdefExt() const;
    virtual void setMaterialMaker(MaterialMaker* maker);
    virtual bool exists(const std::string& name) const;
    // The held material, or - when create is true - add(name, null parameters).
    virtual Material* get(const std::string& name, bool create);
    // Takes the material unless the name is taken; returns what the name now holds.
    virtual Material* add(const std::string& name, Material* material);
    // A held material gets params (null clears its parameters) and is returned;
    // otherwise the maker's material for the name is kept under it.
    virtual Material* add(const std::string& name, ShaderParams* params);
    // A held material gets params only when they are not null; otherwise the maker's
    // material from the definition file at path is kept under the name.
    virtual Material* add(const std::string& name, ShaderParams* params, const std::string& path);
    virtual void destroy(const std::string& name);
    virtual void clear();
    // A new iterator over (name, material) pairs in name order; the caller deletes it.
    virtual MaterialStoreIterator* getIterator() const;

private:
    Material* keep(const std::string& name, Material* made);

    MaterialMaker* maker;  // not owned
    std::unique_ptr<Impl> impl;
};

// The named store behind MaterialStore, with null as its not-found value.
class MaterialStore::Impl : public Util::NamePtrStore<Material> {
public:
    Impl() : Util::NamePtrStore<Material>("MaterialStore", nullptr) {}
};

class MaterialStoreIterator : public Util::I_Iterator<std::pair<std::string, Material*>> {
public:
    explicit MaterialStoreIterator(Util::NamePtrStoreIterator<Material>* walker);  // takes walker
    ~MaterialStoreIterator() override;

    void first() override;
    void next() override;
    bool isDone() const override;
    std::pair<std::string, Material*> currentItem() const override;

private:
    std::unique_ptr<Util::NamePtrStoreIterator<Material>> walker;
};

}  // namespace MatSys
