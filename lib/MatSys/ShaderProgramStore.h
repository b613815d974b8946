#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Util/I_Iterator.h"
#include "Util/NamePtrStore.h"

namespace MatSys {

class I_ShaderProgram;
class I_ShaderProgramMaker;
class ShaderParams;
class ShaderProgramStoreIterator;

// Shader programs by name, made on demand by the maker. The store owns every program it
// holds. Adding parameters under a held name gives that program the new parameters.
class ShaderProgramStore {
public:
    explicit ShaderProgramStore(I_ShaderProgramMaker* maker);  // maker not owned, may be null
    virtual ~ShaderProgramStore();
    ShaderProgramStore(const ShaderProgramStore&) = delete;
    ShaderProgramStore& operator=(const ShaderProgramStore&) = delete;

    virtual void setProgramMaker(I_ShaderProgramMaker* maker);
    virtual bool exists(const std::string& name) const;
    // The held program, or - when create is true - add(name, an empty parameter set).
    virtual I_ShaderProgram* get(const std::string& name, bool create);
    // Takes the program unless the name is taken; returns what the name now holds.
    virtual I_ShaderProgram* add(const std::string& name, I_ShaderProgram* program);
    // A held program gets params as its own and is returned; otherwise the maker's program
    // for the name (by its extension) is kept under it. Null without a maker or program.
    virtual I_ShaderProgram* add(const std::string& name, const ShaderParams& params);
    // The same, a new program being read from the ".prg" definition file at path.
    virtual I_ShaderProgram* add(const std::string& name, const ShaderParams& params,
                                 const std::string& path);
    // A held program is returned unchanged; otherwise the maker links the named shaders.
    virtual I_ShaderProgram* add(const std::string& name, const ShaderParams& params,
                                 const std::vector<std::string>& shaderNames);
    virtual void destroy(const std::string& name);
    virtual void clear();
    // A new iterator over (name, program) pairs in name order; the caller deletes it.
    virtual ShaderProgramStoreIterator* getIterator() const;

private:
    I_ShaderProgram* keep(const std::string& name, I_ShaderProgram* made);

    I_ShaderProgramMaker* maker;  // not owned
    std::unique_ptr<Util::NamePtrStore<I_ShaderProgram>> impl;
};

class ShaderProgramStoreIterator
    : public Util::I_Iterator<std::pair<std::string, I_ShaderProgram*>> {
public:
    explicit ShaderProgramStoreIterator(
        Util::NamePtrStoreIterator<I_ShaderProgram>* walker);  // takes walker
    ~ShaderProgramStoreIterator() override;

    void first() override;
    void next() override;
    bool isDone() const override;
    std::pair<std::string, I_ShaderProgram*> currentItem() const override;

private:
    std::unique_ptr<Util::NamePtrStoreIterator<I_ShaderProgram>> walker;
};

}  // namespace MatSys
