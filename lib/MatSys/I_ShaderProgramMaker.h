#pragma once

#include <string>
#include <vector>

namespace MatSys {

class I_ShaderProgram;
class ShaderParams;

// Makes linked shader programs; the caller owns the result, which is null on failure.
class I_ShaderProgramMaker {
public:
    virtual ~I_ShaderProgramMaker() {}

    // Links the named shaders (taken from the shader store) and gives the program params.
    virtual I_ShaderProgram* create(const std::string& name, const ShaderParams& params,
                                    const std::vector<std::string>& shaderNames) = 0;
    // By the name's extension: "x.prg" reads a program definition file; any other name is
    // taken as the name of the program's only shader.
    virtual I_ShaderProgram* create(const std::string& name, const ShaderParams& params) = 0;
    // The program name from the ".prg" definition file at path.
    virtual I_ShaderProgram* create(const std::string& name, const ShaderParams& params,
                                    const std::string& path) = 0;
};

}  // namespace MatSys
