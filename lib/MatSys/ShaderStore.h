#pragma once

#include <string>
#include <vector>

#include "Util/MakerStore.h"

namespace MatSys {

class I_Shader;
class I_ShaderMaker;

using ShaderStoreIterator = Util::MakerStoreIterator<I_Shader>;

}  // namespace MatSys

extern template class Util::MakerStore<MatSys::I_Shader, MatSys::I_ShaderMaker>;

namespace MatSys {

// Shaders by name, made on demand by the maker. The store owns every shader it holds.
// Adding under a taken name keeps the held shader and returns it.
class ShaderStore : public Util::MakerStore<I_Shader, I_ShaderMaker> {
public:
    explicit ShaderStore(I_ShaderMaker* maker);  // maker not owned, may be null
    ~ShaderStore() override;

    virtual void setShaderMaker(I_ShaderMaker* maker);
    // The held shader, or - when create is true and there is a maker - the maker's shader
    // for the name (by its extension), kept under it. Null when neither works.
    virtual I_Shader* get(const std::string& name, bool create);
    using MakerStore::add;
    // add(name, name).
    virtual I_Shader* add(const std::string& name);
    // The held shader, or the maker's shader for name from the definition file at path,
    // kept under name; null without a maker or when nothing was made.
    virtual I_Shader* add(const std::string& name, const std::string& path);
    // The maker's stage suffixes; nothing without a maker.
    virtual void getTypeStrings(std::vector<std::string>& out) const;
};

}  // namespace MatSys
