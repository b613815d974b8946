#include "MatSys/MaterialSystemFacade.h"

#include "MatSys/I_Color.h"
#include "MatSys/I_ShaderMaker.h"
#include "MatSys/I_ShaderProgramMaker.h"
#include "MatSys/I_TextureMaker.h"
#include "MatSys/MaterialMaker.h"
#include "MatSys/MaterialStore.h"
#include "MatSys/OGL/Color.h"
#include "MatSys/OGL/ShaderMaker.h"
#include "MatSys/OGL/ShaderProgramMaker.h"
#include "MatSys/OGL/TextureMaker.h"
#include "MatSys/ShaderProgramStore.h"
#include "MatSys/ShaderStore.h"
#include "MatSys/TextureStore.h"

namespace MatSys {

// The parts in the order they are made: each one is made after what it uses, so the
// members die in the reverse order and nothing outlives a part it points to (materials
// go before their programs and textures, every store before its maker).
class MaterialSystemFacade::Impl {
public:
    std::unique_ptr<I_ColorMaker> colorMaker;
    std::unique_ptr<I_ShaderMaker> shaderMaker;  // null when a program maker was given
    std::unique_ptr<ShaderStore> shaderStore;    // null when a program maker was given
    std::unique_ptr<I_ShaderProgramMaker> programMaker;
    std::unique_ptr<ShaderProgramStore> programStore;
    std::unique_ptr<I_TextureMaker> textureMaker;
    std::unique_ptr<TextureStore> textureStore;
    std::unique_ptr<MaterialMaker> materialMaker;
    std::unique_ptr<MaterialStore> materialStore;
};

namespace {

// Everything before the last "/", or the whole path when it has none.
std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

}  // namespace

MaterialSystemFacade::MaterialSystemFacade(const std::string& filePath,
                                           I_ShaderProgramMaker* programMaker)
    : impl(std::make_unique<Impl>()), path(filePath) {
    std::string dir = directoryOf(path);
    impl->colorMaker = std::make_unique<OGL::ColorMaker>();
    if (programMaker) {
        impl->programMaker.reset(programMaker);
    } else {
        impl->shaderMaker = std::make_unique<OGL::ShaderMaker>(dir);
        impl->shaderStore = std::make_unique<ShaderStore>(impl->shaderMaker.get());
        impl->programMaker =
            std::make_unique<OGL::ShaderProgramMaker>(impl->shaderStore.get(), dir);
    }
    impl->programStore = std::make_unique<ShaderProgramStore>(impl->programMaker.get());
    impl->textureMaker = std::make_unique<OGL::TextureMaker>(dir);
    impl->textureStore = std::make_unique<TextureStore>(impl->textureMaker.get());
    impl->materialMaker =
        std::make_unique<MaterialMaker>(impl->programStore.get(), impl->textureStore.get(), dir);
    impl->materialStore = std::make_unique<MaterialStore>(impl->materialMaker.get());
}

MaterialSystemFacade::~MaterialSystemFacade() = default;

MaterialStore* MaterialSystemFacade::getMaterialStore() const {
    return impl->materialStore.get();
}

TextureStore* MaterialSystemFacade::getTextureStore() const {
    return impl->textureStore.get();
}

ShaderProgramStore* MaterialSystemFacade::getShaderProgramStore() const {
    return impl->programStore.get();
}

bool MaterialSystemFacade::addMaterial(const std::string& name) {
    return addMaterial(name, nullptr, std::string());
}

bool MaterialSystemFacade::addMaterial(const std::string& name, ShaderParams* params,
                                       const std::string& file) {
    return impl->materialStore->add(name, params, file.empty() ? path : file) != nullptr;
}

Material* MaterialSystemFacade::getMaterial(const std::string& name) const {
    return impl->materialStore->get(name, false);
}

}  // namespace MatSys
