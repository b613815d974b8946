#pragma once

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
class ShaderMaker : public I_ShaderMaker {
public:
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
