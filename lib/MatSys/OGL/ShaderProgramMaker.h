#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "MatSys/I_ShaderProgramMaker.h"

namespace MatSys {
class ShaderStore;
}

namespace MatSys::OGL {

// Makes linked programs from shaders of a shader store. A ".prg" definition file names
// a program P's shaders and parameters:
//   P_SHADERS   blank-separated shader names
//   P_PARAMS    parameter lines, one per line ('name : type : value')
// and may hold the shaders' own keys (S_CODE, S_FILES, CODE, FILES). A P_SHADERS list of
// more than kMaxShaders names is fatal (each may read and compile a shader). A name
// ending in ".prg" whose file names no shaders leads to the file named by the name
// without that suffix; at most kMaxDefinitionChain files are read that way for one
// program, after which no program is made.
class ShaderProgramMaker : public I_ShaderProgramMaker {
public:
    static constexpr size_t kMaxShaders = 16;
    static constexpr int kMaxDefinitionChain = 8;

    // shaderStore not owned.
    ShaderProgramMaker(ShaderStore* shaderStore, const std::string& loadDir = std::string());

    I_ShaderProgram* create(const std::string& name, const ShaderParams& params,
                            const std::vector<std::string>& shaderNames) override;
    I_ShaderProgram* create(const std::string& name, const ShaderParams& params) override;
    I_ShaderProgram* create(const std::string& name, const ShaderParams& params,
                            const std::string& path) override;

    // A non-empty directory without a final "/" gets one.
    virtual void setLoadDir(const std::string& dir);

    const std::string& getLoadDir() const { return loadDir; }

private:
    ShaderStore* shaderStore;  // not owned
    std::string loadDir;
};

}  // namespace MatSys::OGL
