#pragma once

#include <memory>
#include <string>
#include <utility>

#include "Util/NamePtrStore.h"
#include "Util/OwningIterator.h"

namespace Util {

// Walks a MakerStore's (name, object) pairs in name order; a finished walk yields
// (empty name, null).
template <class T>
using MakerStoreIterator = OwningIterator<std::pair<std::string, T*>>;

// Objects by name that a maker makes on demand: the common part of the material system's
// stores. The store owns every object it holds (in a NamePtrStore with a null not-found
// pointer) and deletes it on destroy(), clear() or its own destruction. Adding under a
// taken name keeps the held object and returns it. A derived store says which maker
// operation makes a missing object.
//
// T may be incomplete where the store is only used; the source file that completes it
// instantiates the template explicitly (the header declares it extern).
template <class T, class Maker>
class MakerStore {
public:
    using Impl = NamePtrStore<T>;
    using Iterator = MakerStoreIterator<T>;

    MakerStore(const std::string& storeName, Maker* maker)  // maker not owned, may be null
        : maker(maker), impl(std::make_unique<Impl>(storeName, nullptr)) {}
    virtual ~MakerStore() = default;
    MakerStore(const MakerStore&) = delete;
    MakerStore& operator=(const MakerStore&) = delete;

    virtual bool exists(const std::string& name) const { return impl->exists(name); }
    // Takes the object unless the name is taken; returns what the name now holds.
    virtual T* add(const std::string& name, T* object) { return impl->add(name, object); }
    // Deletes the object held under name and removes the entry.
    virtual void destroy(const std::string& name) { impl->destroy(name); }
    // Deletes every held object.
    virtual void clear() { impl->clear(); }
    // A new iterator over (name, object) pairs in name order; the caller deletes it.
    virtual Iterator* getIterator() const { return new Iterator(impl->getPairIterator()); }

protected:
    Maker* getMaker() const { return maker; }
    void setMaker(Maker* newMaker) { maker = newMaker; }

    // The held object, or null.
    T* held(const std::string& name) const { return impl->get(name); }

    // make(maker)'s object, kept under a name known to be free; null without a maker or
    // when nothing was made.
    template <class Make>
    T* makeAndKeep(const std::string& name, Make make) {
        if (!maker) {
            return nullptr;
        }
        T* made = make(*maker);
        return made ? add(name, made) : nullptr;
    }

    // The held object, or else makeAndKeep(name, make).
    template <class Make>
    T* heldOrMade(const std::string& name, Make make) {
        T* object = held(name);
        return object ? object : makeAndKeep(name, make);
    }

private:
    Maker* maker;  // not owned
    std::unique_ptr<Impl> impl;
};

}  // namespace Util
