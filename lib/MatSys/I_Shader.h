#pragma once

namespace MatSys {

// One compiled shader stage.
class I_Shader {
public:
    virtual ~I_Shader() {}
    // The OpenGL shader name; 0 before compilation.
    virtual unsigned getID() const = 0;
};

}  // namespace MatSys
