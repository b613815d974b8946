#include "MatSys/TextureStore.h"

#include "MatSys/I_Texture.h"
#include "MatSys/I_TextureMaker.h"

template class Util::MakerStore<MatSys::I_Texture, MatSys::I_TextureMaker>;

namespace MatSys {

TextureStore::TextureStore(I_TextureMaker* textureMaker)
    : MakerStore("TextureStore", textureMaker) {}

TextureStore::~TextureStore() = default;

void TextureStore::setTextureMaker(I_TextureMaker* textureMaker) {
    setMaker(textureMaker);
}

I_TextureMaker* TextureStore::getTextureMaker() {
    return getMaker();
}

I_Texture* TextureStore::create(const std::string& name, unsigned char* pixels,
                                unsigned bitsPerPixel, unsigned width, unsigned height,
                                unsigned depth) {
    if (!getMaker() || name.empty()) {
        return nullptr;
    }
    I_Texture* made = getMaker()->create(name, pixels, bitsPerPixel, width, height, depth);
    if (made) {
        add(name, made);
    }
    return made;
}

// Making a missing texture for get() is add() with the name as its file name.
I_Texture* TextureStore::get(const std::string& name, bool create) {
    return create ? add(name) : held(name);
}

I_Texture* TextureStore::add(const std::string& name) {
    return add(name, name);
}

I_Texture* TextureStore::add(const std::string& name, const std::string& fileName) {
    return heldOrMade(name, [&](I_TextureMaker& maker) { return maker.create(fileName); });
}

}  // namespace MatSys
