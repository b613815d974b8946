#pragma once

#include <string>

#include "Util/MakerStore.h"

namespace MatSys {

class I_Texture;
class I_TextureMaker;

using TextureStoreIterator = Util::MakerStoreIterator<I_Texture>;

}  // namespace MatSys

extern template class Util::MakerStore<MatSys::I_Texture, MatSys::I_TextureMaker>;

namespace MatSys {

// Textures by name. A missing texture is made on demand by the maker; the store owns
// every texture it holds and deletes it on destroy(), clear() or its own destruction.
// Adding under a name that is taken keeps the held texture and returns it.
class TextureStore : public Util::MakerStore<I_Texture, I_TextureMaker> {
public:
    explicit TextureStore(I_TextureMaker* maker);  // maker not owned, may be null
    ~TextureStore() override;

    virtual void setTextureMaker(I_TextureMaker* maker);
    virtual I_TextureMaker* getTextureMaker();
    // The maker's texture from the pixels, kept under name unless the name is taken; the
    // new texture is returned either way, and when it was not kept it is the caller's.
    // Null with no maker or an empty name.
    virtual I_Texture* create(const std::string& name, unsigned char* pixels, unsigned bitsPerPixel,
                              unsigned width, unsigned height, unsigned depth);
    // The held texture, or - when create is true and a maker is set - the maker's
    // texture for the name, kept under it. Null when neither works.
    virtual I_Texture* get(const std::string& name, bool create);
    using MakerStore::add;
    // add(name, name).
    virtual I_Texture* add(const std::string& name);
    // The held texture, or the maker's texture from fileName kept under name; null
    // without a maker or when the maker makes nothing.
    virtual I_Texture* add(const std::string& name, const std::string& fileName);
};

}  // namespace MatSys
