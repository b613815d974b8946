#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MatSys/ShaderParam.h"
#include "Util/BasicStore.h"
#include "Util/OwningIterator.h"

namespace MatSys {

class ShaderParamsIterator;

// A set of shader parameters keyed by name, walked in name order. Copying a set copies
// every parameter; the copies are independent.
class ShaderParams {
public:
    class Impl;

    ShaderParams();
    ShaderParams(const ShaderParams& other);
    ShaderParams& operator=(const ShaderParams& other);
    virtual ~ShaderParams();

    // Stores a copy under the parameter's name, replacing one of the same name.
    virtual void add(const ShaderParam& param);
    // Parses one 'name : type : value' line. The line is split at every run of ":" and
    // "=" (leading and trailing runs give no pieces) and each piece is trimmed; exactly
    // three pieces, empty ones included, make a parameter. Anything else adds nothing.
    virtual void add(const std::string& line);
    // add() of each line in order.
    virtual void add(const std::vector<std::string>& lines);
    // add() of every parameter of other: other's parameters replace those of the same name.
    virtual void merge(const ShaderParams& other);
    // A new iterator in name order; the caller deletes it.
    virtual ShaderParamsIterator* getIterator() const;

    // The parameter under name, or the default "UNNAMED_SHADER_PARAM" one.
    ShaderParam find(const std::string& name) const;
    size_t size() const;
    const Impl& getImpl() const { return *impl; }

private:
    std::unique_ptr<Impl> impl;
};

// The parameters of the store, keyed by name, with the default parameter as 'not found'.
class ShaderParams::Impl : public Util::BasicStore<std::string, ShaderParam> {
public:
    Impl() : Util::BasicStore<std::string, ShaderParam>(ShaderParam()) {}
};

// Walks a parameter set in name order; currentItem() yields a copy of the parameter.
// Valid while the set lives and is not changed.
class ShaderParamsIterator : public Util::OwningIterator<ShaderParam> {
public:
    explicit ShaderParamsIterator(const ShaderParams& params);
};

}  // namespace MatSys
