#pragma once

#include <memory>
#include <string>
#include <utility>

#include "Util/I_Iterator.h"
#include "Util/NamePtrStore.h"

namespace MatSys {

class I_Texture;
class I_TextureMaker;
class TextureStoreIterator;

// Textures by name. A missing texture is made on demand by the maker; the store owns
// every texture it holds and deletes it on destroy(), clear() or its own destruction.
// Adding under a name that is taken keeps the held texture and returns it.
class TextureStore {
public:
    explicit TextureStore(I_TextureMaker* maker);  // maker not owned, may be null
    virtual ~TextureStore();
    TextureStore(const TextureStore&) = delete;
    TextureStore& operator=(const TextureStore&) = delete;

    virtual void setTextureMaker(I_TextureMaker* maker);
    virtual I_TextureMaker* getTextureMaker();
    // The maker's texture from the pixels, kept under name unless the name is taken; the
    // new texture is returned either way, and when it was not kept it is the caller's.
    // Null with no maker or an empty name.
    virtual I_Texture* create(const std::string& name, unsigned char* pixels, unsigned bitsPerPixel,
                              unsigned width, unsigned height, unsigned depth);
    virtual bool exists(const std::string& name) const;
    // The held texture, or - when create is true and a maker is set - the maker's
    // texture for the name, kept under it. Null when neither works.
    virtual I_Texture* get(const std::string& name, bool create);
    // Takes the texture unless the name is taken; returns what the name now holds.
    virtual I_Texture* add(const std::string& name, I_Texture* texture);
    // add(name, name).
    virtual I_Texture* add(const std::string& name);
    // The held texture, or the maker's texture from fileName kept under name; null
    // without a maker or when the maker makes nothing.
    virtual I_Texture* add(const std::string& name, const std::string& fileName);
    virtual void destroy(const std::string& name);
    virtual void clear();
    // A new iterator over (name, texture) pairs in name order; the caller deletes it.
    virtual TextureStoreIterator* getIterator() const;

private:
    I_Texture* keep(const std::string& name, I_Texture* made);

    I_TextureMaker* maker;  // not owned
    std::unique_ptr<Util::NamePtrStore<I_Texture>> impl;
};

class TextureStoreIterator : public Util::I_Iterator<std::pair<std::string, I_Texture*>> {
public:
    explicit TextureStoreIterator(Util::NamePtrStoreIterator<I_Texture>* walker);  // takes walker
    ~TextureStoreIterator() override;

    void first() override;
    void next() override;
    bool isDone() const override;
    std::pair<std::string, I_Texture*> currentItem() const override;

private:
    std::unique_ptr<Util::NamePtrStoreIterator<I_Texture>> walker;
};

}  // namespace MatSys
