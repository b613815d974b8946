#pragma once

namespace MatSys {

class ShaderParams;

// A linked shader program with its own parameters.
class I_ShaderProgram {
public:
    virtual ~I_ShaderProgram() {}

    // The OpenGL program name; 0 when not linked.
    virtual unsigned getID() const = 0;
    // Makes the program current and binds params (null: the program's own parameters
    // when they are pending). False when binding stopped at a parameter that is not an
    // active uniform or whose type cannot be bound; the program stays current then.
    virtual bool beginUsing(const ShaderParams* params) = 0;
    virtual void endUsing() = 0;
    // The own parameters, or a shared empty set when there are none.
    virtual const ShaderParams& getParams() const = 0;
    // Replaces the own parameters with a copy, bound at the next beginUsing(nullptr).
    virtual bool setParams(const ShaderParams& params) = 0;
};

}  // namespace MatSys
