#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace MatSys {

class I_ShaderProgram;
class I_Texture;
class ShaderParams;

// What a mesh is drawn with: a shader program, the parameters its uniforms get while
// the material is in use, and textures bound to numbered texture units. The program and
// the textures belong to their stores; the material owns only its parameters.
class Material {
public:
    using TextureList = std::vector<std::pair<int, I_Texture*> >;

    // program not owned; params copied when given.
    Material(I_ShaderProgram* program, const ShaderParams* params);
    virtual ~Material();
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;

    // Binds every texture to its unit, then makes the program current with the material's
    // parameters bound on top of what the program holds. Without a program: nothing.
    virtual void beginUsing();
    // Releases the textures' units and the program. Without a program: nothing.
    virtual void endUsing();
    // Replaces the parameters with a copy of params, or none when params is null.
    virtual void setParams(const ShaderParams* params);
    // Null when the material has no parameters of its own.
    virtual const ShaderParams* getParams() const;
    // Replaces the texture on the unit, or adds (unit, texture) at the end.
    virtual void bindTexture(int unit, I_Texture* texture);
    // (unit, texture) pairs in the order their units were first bound.
    virtual const TextureList& getTextures() const;
    virtual I_ShaderProgram* getProgram() const;

private:
    I_ShaderProgram* program;              // not owned
    std::unique_ptr<ShaderParams> params;  // null when none
    TextureList textures;                  // textures not owned
};

}  // namespace MatSys
