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

// The parts in the order they are made and deleted. Makers go before the stores that use
// them; nothing uses a maker while it is being deleted.
class MaterialSystemFacade::Impl {
public:
    ~Impl() {
        delete colorMaker;
        delete shaderMaker;
        delete shaderStore;
        delete programMaker;
        delete programStore;
        delete materialMaker;
        delete materialStore;
        delete textureMaker;
        delete textureStore;
    }

    I_ColorMaker* colorMaker = nullptr;
    I_ShaderMaker* shaderMaker = nullptr;  // null when a program maker was given
    ShaderStore* shaderStore = nullptr;    // null when a program maker was given
    I_ShaderProgramMaker* programMaker = nullptr;
    ShaderProgramStore* programStore = nullptr;
    MaterialMaker* materialMaker = nullptr;
    MaterialStore* materialStore = nullptr;
    I_TextureMaker* textureMaker = nullptr;
    TextureStore* textureStore = nullptr;
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
    impl->colorMaker = new OGL::ColorMaker();
    if (programMaker) {
        impl->programMaker = programMaker;
    } else {
        OGL::ShaderMaker* shaderMaker = new OGL::ShaderMaker(dir);
        impl->shaderMaker = shaderMaker;
        impl->shaderStore = new ShaderStore(shaderMaker);
        impl->programMaker = new OGL::ShaderProgramMaker(impl->shaderStore, dir);
    }
    impl->programStore = new ShaderProgramStore(impl->programMaker);
    impl->textureMaker = new OGL::TextureMaker(dir);
    impl->textureStore = new TextureStore(impl->textureMaker);
    impl->materialMaker = new MaterialMaker(impl->programStore, impl->textureStore, dir);
    impl->materialStore = new MaterialStore(impl->materialMaker);
}

MaterialSystemFacade::~MaterialSystemFacade() = default;

MaterialStore* MaterialSystemFacade::getMaterialStore() const {
    return impl->materialStore;
}

TextureStore* MaterialSystemFacade::getTextureStore() const {
    return impl->textureStore;
}

ShaderProgramStore* MaterialSystemFacade::getShaderProgramStore() const {
    return impl->programStore;
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
