#pragma once

#include <string>
#include <vector>

#include "Util/MakerStore.h"

namespace MatSys {

class I_ShaderProgram;
class I_ShaderProgramMaker;
class ShaderParams;

using ShaderProgramStoreIterator = Util::MakerStoreIterator<I_ShaderProgram>;

}  // namespace MatSys

extern template class Util::MakerStore<MatSys::I_ShaderProgram, MatSys::I_ShaderProgramMaker>;

namespace MatSys {

// Shader programs by name, made on demand by the maker. The store owns every program it
// holds. Adding parameters under a held name gives that program the new parameters.
class ShaderProgramStore : public Util::MakerStore<I_ShaderProgram, I_ShaderProgramMaker> {
public:
    explicit ShaderProgramStore(I_ShaderProgramMaker* maker);  // maker not owned, may be null
    ~ShaderProgramStore() override;

    virtual void setProgramMaker(I_ShaderProgramMaker* maker);
    // The held program, or - when create is true - add(name, an empty parameter set).
    virtual I_ShaderProgram* get(const std::string& name, bool create);
    using MakerStore::add;
    // A held program gets params as its own and is returned; otherwise the maker's program
    // for the name (by its extension) is kept under it. Null without a maker or program.
    virtual I_ShaderProgram* add(const std::string& name, const ShaderParams& params);
    // The same, a new program being read from the ".prg" definition file at path.
    virtual I_ShaderProgram* add(const std::string& name, const ShaderParams& params,
                                 const std::string& path);
    // A held program is returned unchanged; otherwise the maker links the named shaders.
    virtual I_ShaderProgram* add(const std::string& name, const ShaderParams& params,
                                 const std::vector<std::string>& shaderNames);

private:
    // The held program after it got params, or null.
    I_ShaderProgram* heldWithParams(const std::string& name, const ShaderParams& params);
};

}  // namespace MatSys
