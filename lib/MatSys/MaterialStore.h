#pragma once

#include <string>

#include "MatSys/Material.h"
#include "Util/MakerStore.h"

namespace MatSys {

class MaterialMaker;
class ShaderParams;

using MaterialStoreIterator = Util::MakerStoreIterator<Material>;

}  // namespace MatSys

extern template class Util::MakerStore<MatSys::Material, MatSys::MaterialMaker>;

namespace MatSys {

// Materials by name, made on demand by the maker. The store owns every material it
// holds. Adding under a taken name keeps the held material (its parameters may change).
class MaterialStore : public Util::MakerStore<Material, MaterialMaker> {
public:
    explicit MaterialStore(MaterialMaker* maker);  // maker not owned, may be null
    ~MaterialStore() override;

    // The maker's definition extension; "WTH!!" without a maker.
    virtual std::string getMatdefExt() const;
    virtual void setMaterialMaker(MaterialMaker* maker);
    // The held material, or - when create is true - add(name, null parameters).
    virtual Material* get(const std::string& name, bool create);
    using MakerStore::add;
    // A held material gets params (null clears its parameters) and is returned;
    // otherwise the maker's material for the name is kept under it.
    virtual Material* add(const std::string& name, ShaderParams* params);
    // A held material gets params only when they are not null; otherwise the maker's
    // material from the definition file at path is kept under the name.
    virtual Material* add(const std::string& name, ShaderParams* params, const std::string& path);
};

}  // namespace MatSys
