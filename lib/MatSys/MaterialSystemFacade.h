#pragma once

#include <memory>
#include <string>

namespace MatSys {

class I_ShaderProgramMaker;
class Material;
class MaterialStore;
class ShaderParams;
class ShaderProgramStore;
class TextureStore;

// Builds and owns the whole material system for one directory of definition files: a
// colour maker, the shader maker and store, the program maker and store, the material
// maker and store, and the texture maker and store, wired to each other. Everything
// they hold, OpenGL objects included, dies with the facade, so the OpenGL context must
// outlive it.
class MaterialSystemFacade {
public:
    class Impl;

    // The directory is path up to its last "/", or path itself when it has none
    // ('data/game.cfg' gives 'data', 'game.cfg' gives 'game.cfg'). programMaker may be
    // null (the OpenGL makers are used); when given, the facade owns it and makes no
    // shader maker or shader store.
    explicit MaterialSystemFacade(const std::string& path,
                                  I_ShaderProgramMaker* programMaker = nullptr);
    virtual ~MaterialSystemFacade();
    MaterialSystemFacade(const MaterialSystemFacade&) = delete;
    MaterialSystemFacade& operator=(const MaterialSystemFacade&) = delete;

    // The stores stay the facade's.
    virtual MaterialStore* getMaterialStore() const;
    virtual TextureStore* getTextureStore() const;
    virtual ShaderProgramStore* getShaderProgramStore() const;
    // addMaterial(name, null, "").
    virtual bool addMaterial(const std::string& name);
    // The material store's add with the definition file, or the facade's path when file
    // is empty; true when that gives a material.
    virtual bool addMaterial(const std::string& name, ShaderParams* params,
                             const std::string& file);
    // The held material or null; nothing is made.
    virtual Material* getMaterial(const std::string& name) const;

    const std::string& getPath() const { return path; }

private:
    std::unique_ptr<Impl> impl;
    std::string path;
};

}  // namespace MatSys
