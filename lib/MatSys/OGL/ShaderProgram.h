#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MatSys/I_ShaderProgram.h"
#include "Util/BasicStore.h"

namespace MatSys {
class I_Shader;
}

namespace MatSys::OGL {

// A linked GLSL program. Linking learns the location of every active uniform and binds
// the vertex attributes to the fixed locations the vertex arrays use, by name suffix:
// "_vtx" 0, "_texcoord" 1, "_clr" 2, "atrN" (after the last "_", or the whole name)
// 3 + N for N from 0 to 3. Parameters are bound in name order to the uniforms of the
// same name. Deletes its OpenGL program when destroyed.
class ShaderProgram : public I_ShaderProgram {
public:
    ShaderProgram();
    ~ShaderProgram() override;
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    unsigned getID() const override { return id; }
    bool beginUsing(const ShaderParams* params) override;
    void endUsing() override;
    const ShaderParams& getParams() const override;
    bool setParams(const ShaderParams& params) override;

    // Links the shaders. True when the program is ready; false with the reason in log,
    // or with an empty log when an attribute name is not one of the recognised forms.
    bool link(const std::vector<I_Shader*>& shaders, std::string& log);

    // The uniform's location as learnt at link time; -1 when it is not an active uniform.
    int getUniformLocation(const std::string& name) const { return uniforms.find(name); }

private:
    bool linkProgram(std::string& log);
    bool learnUniforms(std::string& log);
    bool bindAttributes(bool& anyAttribute);
    bool bindParams(const ShaderParams& params);

    unsigned id;
    Util::BasicStore<std::string, int> uniforms;  // name -> location, -1 when absent
    std::unique_ptr<ShaderParams> ownParams;      // null until setParams
    bool ownParamsPending;
};

}  // namespace MatSys::OGL
