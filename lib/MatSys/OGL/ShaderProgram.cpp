#include "MatSys/OGL/ShaderProgram.h"

#include "Render/OGL/GL.h"

#include "MatSys/I_Shader.h"
#include "MatSys/ShaderParams.h"
#include "Util/NumberConversion.h"
#include "Util/Strings.h"

namespace MatSys::OGL {

namespace {

constexpr GLsizei kNameBuffer = 100;
constexpr int kNoLocation = -1;
constexpr GLuint kVertexLocation = 0;
constexpr GLuint kTexCoordLocation = 1;
constexpr GLuint kColorLocation = 2;
constexpr int kFirstExtraLocation = 3;
constexpr int kLastExtraLocation = 6;
const std::string kFirstElement = "[0]";

// The fixed location for an attribute name, or -1 when the name is not recognised.
// Extra attribute numbers outside 0..3 are refused too: below 0 they would land on
// the position, texture or colour locations (or wrap to a huge index).
int attributeLocation(const std::string& name) {
    if (Util::endswith(name, "_vtx"))
        return int(kVertexLocation);
    if (Util::endswith(name, "_texcoord"))
        return int(kTexCoordLocation);
    if (Util::endswith(name, "_clr"))
        return int(kColorLocation);
    size_t underscore = name.rfind('_');
    std::string last = underscore == std::string::npos ? name : name.substr(underscore + 1);
    if (!Util::startswith(last, "atr"))
        return kNoLocation;
    // The number is checked before it is added, so 'atr2147483647' cannot overflow.
    const int extra = Util::strToNum<int>(last.substr(3), 10);
    if (extra < 0 || extra > kLastExtraLocation - kFirstExtraLocation)
        return kNoLocation;
    return kFirstExtraLocation + extra;
}

std::string programInfoLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0)
        return std::string();
    std::string info(size_t(length), '\0');
    GLsizei written = 0;
    glGetProgramInfoLog(program, length, &written, info.data());
    info.resize(size_t(written));
    return info;
}

// One glUniform call by the parameter's type word; false for a type that cannot be bound.
bool bindParam(GLint location, const ShaderParam& param) {
    const std::string& type = param.getType();
    const GLfloat* f = param.getFloats();
    const GLint* i = param.getInts();
    GLsizei count = param.getCount();
    if (type == "1f")
        glUniform1f(location, f[0]);
    else if (type == "2f")
        glUniform2f(location, f[0], f[1]);
    else if (type == "3f")
        glUniform3f(location, f[0], f[1], f[2]);
    else if (type == "4f")
        glUniform4f(location, f[0], f[1], f[2], f[3]);
    else if (type == "1i")
        glUniform1i(location, i[0]);
    else if (type == "2i")
        glUniform2i(location, i[0], i[1]);
    else if (type == "3i")
        glUniform3i(location, i[0], i[1], i[2]);
    else if (type == "4i")
        glUniform4i(location, i[0], i[1], i[2], i[3]);
    else if (type == "1fv")
        glUniform1fv(location, count, f);
    else if (type == "2fv")
        glUniform2fv(location, count, f);
    else if (type == "3fv")
        glUniform3fv(location, count, f);
    else if (type == "4fv")
        glUniform4fv(location, count, f);
    else if (type == "1iv")
        glUniform1iv(location, count, i);
    else if (type == "2iv")
        glUniform2iv(location, count, i);
    else if (type == "3iv")
        glUniform3iv(location, count, i);
    else if (type == "4iv")
        glUniform4iv(location, count, i);
    else if (type == "sampler1D" || type == "sampler2D" || type == "sampler3D")
        glUniform1i(location, i[0]);
    else
        return false;
    return true;
}

}  // namespace

ShaderProgram::ShaderProgram() : id(0), uniforms(kNoLocation), ownParamsPending(false) {}

ShaderProgram::~ShaderProgram() {
    if (id != 0) {
        glDeleteProgram(id);
    }
}

bool ShaderProgram::link(const std::vector<I_Shader*>& shaders, std::string& log) {
    log.clear();
    id = glCreateProgram();
    if (id == 0) {
        log = "ShaderProgram::link - glCreateProgram failed";
        return false;
    }
    for (I_Shader* shader : shaders) {
        glAttachShader(id, shader->getID());
    }
    if (!linkProgram(log)) {
        return false;
    }
    glUseProgram(id);
    if (!learnUniforms(log)) {
        return false;
    }
    bool anyAttribute = false;
    if (!bindAttributes(anyAttribute)) {
        return false;
    }
    // Attribute bindings take effect only when the program is linked again. The uniform
    // locations learnt above are kept.
    if (anyAttribute && !linkProgram(log)) {
        return false;
    }
    ownParamsPending = true;
    beginUsing(nullptr);
    endUsing();
    return true;
}

bool ShaderProgram::linkProgram(std::string& log) {
    glLinkProgram(id);
    GLint linked = GL_FALSE;
    glGetProgramiv(id, GL_LINK_STATUS, &linked);
    if (!linked) {
        log += programInfoLog(id);
        return false;
    }
    return true;
}

bool ShaderProgram::learnUniforms(std::string& log) {
    GLint active = 0;
    glGetProgramiv(id, GL_ACTIVE_UNIFORMS, &active);
    for (GLint index = 0; index < active; ++index) {
        GLchar name[kNameBuffer];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(id, GLuint(index), kNameBuffer, &length, &size, &type, name);
        std::string uniform(name, size_t(length));
        if (Util::startswith(uniform, "gl_")) {
            continue;
        }
        GLint location = glGetUniformLocation(id, uniform.c_str());
        if (location == kNoLocation) {
            log = "WTF! UniformLoc not found for: " + uniform;
            return false;
        }
        uniforms.add(uniform, location);
        // OpenGL names an array uniform "name[0]"; its parameter is written "name".
        if (Util::endswith(uniform, kFirstElement)) {
            uniforms.add(uniform.substr(0, uniform.size() - kFirstElement.size()), location);
        }
    }
    return true;
}

bool ShaderProgram::bindAttributes(bool& anyAttribute) {
    GLint active = 0;
    glGetProgramiv(id, GL_ACTIVE_ATTRIBUTES, &active);
    anyAttribute = active > 0;
    for (GLint index = 0; index < active; ++index) {
        GLchar name[kNameBuffer];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveAttrib(id, GLuint(index), kNameBuffer, &length, &size, &type, name);
        std::string attribute(name, size_t(length));
        if (Util::startswith(attribute, "gl_")) {
            continue;
        }
        int location = attributeLocation(attribute);
        if (location == kNoLocation) {
            return false;
        }
        glBindAttribLocation(id, GLuint(location), attribute.c_str());
    }
    return true;
}

bool ShaderProgram::beginUsing(const ShaderParams* params) {
    if (id == 0) {
        return false;
    }
    glUseProgram(id);
    if (params) {
        ownParamsPending = true;
        return bindParams(*params);
    }
    if (!ownParamsPending) {
        return true;
    }
    ownParamsPending = false;
    return ownParams ? bindParams(*ownParams) : true;
}

bool ShaderProgram::bindParams(const ShaderParams& params) {
    for (const auto& entry : params.getImpl().getEntries()) {
        const ShaderParam& param = entry.second;
        int location = uniforms.find(param.getName());
        if (location == kNoLocation || !bindParam(location, param)) {
            return false;
        }
    }
    return true;
}

void ShaderProgram::endUsing() {
    glUseProgram(0);
}

const ShaderParams& ShaderProgram::getParams() const {
    static const ShaderParams empty;
    return ownParams ? *ownParams : empty;
}

bool ShaderProgram::setParams(const ShaderParams& params) {
    ownParams = std::make_unique<ShaderParams>(params);
    ownParamsPending = true;
    return true;
}

}  // namespace MatSys::OGL
