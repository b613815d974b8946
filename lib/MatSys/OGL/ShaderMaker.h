#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "MatSys/I_ShaderMaker.h"

namespace MatSys::OGL {

// Makes GLSL shaders. A shader's stage is the suffix of its name (".VS" vertex, ".FS"
// fragment by default); its source comes from ".glsl" files, whose texts pass through
// the process-wide configuration's "::KEY::" substitution, or from the keys of a
// ".shader" definition file:
//   S_CODE / S_FILES   GLSL code / blank-separated GLSL file names of shader S
//   CODE / FILES       used when S has neither key
// A file list of more than kMaxSourceFiles names is fatal (each file is read whole). A
// name ending in ".shader" whose file has no keys for it leads to the file named by the
// name without that suffix; at most kMaxDefinitionChain files are read that way for one
// shader, after which no shader is made.
class ShaderMaker : public I_ShaderMaker {
public:
    static constexpr size_t kMaxSourceFiles = 16;
    static constexpr int kMaxDefinitionChain = 8;

    explicit ShaderMaker(const std::string& loadDir = std::string());

    void getTypeStrings(std::vector<std::string>& out) const override;
    I_Shader* create(const std::string& name, const std::string& code,
                     const std::vector<std::string>& files) override;
    I_Shader* create(const std::string& name) override;
    I_Shader* create(const std::string& name, const std::string& path) override;

    // A non-empty directory without a final "/" gets one.
    virtual void setLoadDir(const std::string& dir);
    // Replaces the (name suffix, OpenGL shader type) list.
    virtual void defineTypeMappings(const std::vector<std::pair<std::string, int> >& mappings);
    // The type of the first mapping whose suffix ends name (exact case); 0 when none.
    virtual int nameToType(const std::string& name) const;

    const std::string& getLoadDir() const { return loadDir; }

private:
    std::string loadDir;
    std::vector<std::pair<std::string, int> > typeMappings;
};

}  // namespace MatSys::OGL
