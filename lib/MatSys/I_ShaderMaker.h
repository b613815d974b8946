#pragma once

#include <string>
#include <vector>

namespace MatSys {

class I_Shader;

// Makes shaders from names, definition files and code; the caller owns the result,
// which is null on any failure.
class I_ShaderMaker {
public:
    virtual ~I_ShaderMaker() {}

    // Appends the name suffix of every stage mapping (".VS", ".FS", ...) in order.
    virtual void getTypeStrings(std::vector<std::string>& out) const = 0;
    // A shader named name (its stage from the name's suffix) from code followed by the
    // texts of files read from the load directory.
    virtual I_Shader* create(const std::string& name, const std::string& code,
                             const std::vector<std::string>& files) = 0;
    // By the name's extension: "x.FS.glsl" is a GLSL file, "x.FS.shader" a definition file.
    virtual I_Shader* create(const std::string& name) = 0;
    // The shader name from the definition file at path.
    virtual I_Shader* create(const std::string& name, const std::string& path) = 0;
};

}  // namespace MatSys
