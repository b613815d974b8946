#pragma once

#include <string>

namespace MatSys {

class I_ShaderProgram;
class Material;
class ShaderParams;
class ShaderProgramStore;
class TextureStore;

// Makes materials, the caller owning them. A material definition file (extension
// ".matdef" by default) describes a material M with program P by these keys:
//   M_PROG              the program name P (M itself when missing)
//   M_MAT_P_PARAMS      parameter lines, one per line ('name : type : value')
//   M_MAT_TEXTURES      'unit:texture' entries separated by ",", at most 32, each unit
//                       from 0 to 31 (MatSys::kMaxTextureUnits)
// The same file serves as the ".prg" definition of P when P is not yet held.
class MaterialMaker {
public:
    // programStore and textureStore not owned; textureStore may be null.
    MaterialMaker(ShaderProgramStore* programStore, TextureStore* textureStore,
                  const std::string& loadDir);
    virtual ~MaterialMaker();

    virtual void setTextureStore(TextureStore* textureStore);
    virtual TextureStore* getTextureStore() const;
    // A non-empty directory without a final "/" gets one.
    virtual void setLoadDir(const std::string& dir);
    virtual void setMatdefExt(const std::string& extension);
    virtual const std::string& getMatdefExt() const;

    // A material of program with a copy of params; null when program is null.
    virtual Material* create(const std::string& name, I_ShaderProgram* program,
                             ShaderParams* params);
    // The program is taken from (or made by) the program store under programName.
    virtual Material* create(const std::string& name, const std::string& programName,
                             ShaderParams* params);
    // A name with the definition extension reads that file from the load directory;
    // any other name is also the program's name.
    virtual Material* create(const std::string& name, ShaderParams* params);
    // Reads the material definition file at path (missing: empty). The caller's params
    // replace file parameters of the same name. A texture unit that is not a number
    // throws std::domain_error; a unit outside 0-31, or more than 32 texture entries,
    // is fatal.
    virtual Material* create(const std::string& name, ShaderParams* params,
                             const std::string& path);
    // Binds the texture store's texture of that name (made on demand) to the unit; a
    // texture that cannot be had is not bound. Returns material.
    virtual Material* bindTexture(Material* material, int unit, const std::string& textureName);

    const std::string& getLoadDir() const { return loadDir; }

private:
    void bindTextureList(Material* material, const std::string& name, const std::string& path,
                         const std::string& list);

    ShaderProgramStore* programStore;  // not owned
    TextureStore* textureStore;        // not owned, may be null
    std::string loadDir;
    std::string matdefExt;
};

}  // namespace MatSys
