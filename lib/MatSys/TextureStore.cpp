#include "MatSys/TextureStore.h"

#include "MatSys/I_Texture.h"
#include "MatSys/I_TextureMaker.h"

namespace MatSys {

TextureStore::TextureStore(I_TextureMaker* textureMaker)
    : maker(textureMaker), impl(std::make_unique<Util::NamePtrStore<I_Texture>>("TextureStore")) {}

TextureStore::~TextureStore() = default;

void TextureStore::setTextureMaker(I_TextureMaker* textureMaker) {
    maker = textureMaker;
}

I_TextureMaker* TextureStore::getTextureMaker() {
    return maker;
}

I_Texture* TextureStore::create(const std::string& name, unsigned char* pixels,
                                unsigned bitsPerPixel, unsigned width, unsigned height,
                                unsigned depth) {
    if (!maker || name.empty()) {
        return nullptr;
    }
    I_Texture* made = maker->create(name, pixels, bitsPerPixel, width, height, depth);
    if (made) {
        add(name, made);
    }
    return made;
}

bool TextureStore::exists(const std::string& name) const {
    return impl->exists(name);
}

I_Texture* TextureStore::get(const std::string& name, bool create) {
    I_Texture* held = impl->get(name);
    if (held || !create || !maker) {
        return held;
    }
    return keep(name, maker->create(name));
}

I_Texture* TextureStore::add(const std::string& name, I_Texture* texture) {
    return impl->add(name, texture);
}

I_Texture* TextureStore::add(const std::string& name) {
    return add(name, name);
}

I_Texture* TextureStore::add(const std::string& name, const std::string& fileName) {
    I_Texture* held = impl->get(name);
    if (held || !maker) {
        return held;
    }
    return keep(name, maker->create(fileName));
}

void TextureStore::destroy(const std::string& name) {
    impl->destroy(name);
}

void TextureStore::clear() {
    impl->clear();
}

TextureStoreIterator* TextureStore::getIterator() const {
    return new TextureStoreIterator(impl->getPairIterator());
}

// Stores a texture just made for a name known to be free; null stays null.
I_Texture* TextureStore::keep(const std::string& name, I_Texture* made) {
    if (!made) {
        return nullptr;
    }
    return add(name, made);
}

TextureStoreIterator::TextureStoreIterator(Util::NamePtrStoreIterator<I_Texture>* pairWalker)
    : walker(pairWalker) {}

TextureStoreIterator::~TextureStoreIterator() = default;

void TextureStoreIterator::first() {
    walker->first();
}

void TextureStoreIterator::next() {
    walker->next();
}

bool TextureStoreIterator::isDone() const {
    return walker->isDone();
}

std::pair<std::string, I_Texture*> TextureStoreIterator::currentItem() const {
    return walker->currentItem();
}

}  // namespace MatSys
