#include "MatSys/OGL/Shader.h"

#include "Render/OGL/GL.h"

namespace MatSys::OGL {

Shader::Shader(unsigned shaderType, const std::vector<std::string>& texts)
    : type(shaderType), id(0) {
    setSources(texts);
}

Shader::~Shader() {
    if (id != 0) {
        glDeleteShader(id);
    }
}

void Shader::setSources(const std::vector<std::string>& texts) {
    sources = texts;
}

void Shader::freeSources() {
    std::vector<std::string>().swap(sources);
}

bool Shader::compile(std::string& log) {
    log.clear();
    if (id == 0) {
        compileSources();
    }
    return readStatus(log);
}

void Shader::compileSources() {
    id = glCreateShader(type);
    std::vector<const GLchar*> pointers;
    for (const std::string& text : sources) {
        pointers.push_back(text.c_str());
    }
    glShaderSource(id, GLsizei(pointers.size()), pointers.data(), nullptr);
    glCompileShader(id);
    freeSources();
}

// The outcome is read from the shader object itself, so a failed shader reports its
// failure (and its info log) on every later call too.
bool Shader::readStatus(std::string& log) const {
    GLint compiled = GL_FALSE;
    glGetShaderiv(id, GL_COMPILE_STATUS, &compiled);
    if (compiled) {
        return true;
    }
    GLint length = 0;
    glGetShaderiv(id, GL_INFO_LOG_LENGTH, &length);
    if (length > 0) {
        std::string info(size_t(length), '\0');
        GLsizei written = 0;
        glGetShaderInfoLog(id, length, &written, info.data());
        info.resize(size_t(written));
        log += info;
    }
    return false;
}

}  // namespace MatSys::OGL
