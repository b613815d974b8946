#pragma once

#include <string>
#include <vector>

#include "MatSys/I_Shader.h"

namespace MatSys::OGL {

// A GLSL shader object. The sources are kept until the one compilation, which frees
// them whatever its outcome. Deletes its OpenGL shader when destroyed.
class Shader : public I_Shader {
public:
    // type: GL_VERTEX_SHADER or GL_FRAGMENT_SHADER. No OpenGL call yet.
    Shader(unsigned type, const std::vector<std::string>& sources);
    ~Shader() override;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    unsigned getID() const override { return id; }
    // Compiles once: true on success, false with the info log in log. Later calls
    // compile nothing and report the same outcome. A failed shader keeps its OpenGL
    // name until it is deleted.
    virtual bool compile(std::string& log);
    virtual void setSources(const std::vector<std::string>& texts);
    virtual void freeSources();

    unsigned getType() const { return type; }

private:
    void compileSources();
    bool readStatus(std::string& log) const;

    unsigned type;
    unsigned id;
    std::vector<std::string> sources;  // each one NUL-terminated for OpenGL
};

}  // namespace MatSys::OGL
