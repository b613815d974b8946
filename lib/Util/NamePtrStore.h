#pragma once

#include <string>
#include <utility>

#include "Util/BasicStore.h"

namespace Util {

template <class T>
class NamePtrStoreIterator;

// Objects by name. The store owns every object its entries point to and deletes it on
// destroy(), clear() or its own destruction. The not-found pointer (null, or a static
// default object the store does not own) is what lookups of absent names return.
// BasicStore's add() (called qualified, store.Base::add) and remove() stay available:
// the first replaces a pointer without deleting the old object, the second hands the
// object back without deleting it.
template <class T>
class NamePtrStore : public BasicStore<std::string, T*> {
public:
    using Base = BasicStore<std::string, T*>;
    explicit NamePtrStore(const std::string& storeName, T* notFound = nullptr)
        : Base(notFound), name(storeName) {}
    ~NamePtrStore() override { clear(); }

    // Deletes every held object (null pointers skipped), then removes every entry.
    void clear() override {
        for (auto& entry : this->entries) {
            if (entry.second && entry.second != this->notFoundValue) {
                delete entry.second;
            }
        }
        this->entries.clear();
    }

    virtual bool exists(const std::string& key) const { return get(key) != this->notFoundValue; }

    virtual T* get(const std::string& key) const { return this->find(key); }

    // Takes object unless the name is taken: then the held object is returned and the
    // caller keeps ownership of its own. Adding the not-found pointer stores nothing.
    // A caller sees whether the store took its object by comparing the result.
    T* add(const std::string& key, T* object) override {
        T* held = get(key);
        if (held != this->notFoundValue) {
            return held;
        }
        if (object == this->notFoundValue) {
            return object;
        }
        this->entries[key] = object;
        return object;
    }

    // Removes the entry and deletes its object; false when the key was absent or held
    // a null pointer.
    virtual bool destroy(const std::string& key) {
        auto it = this->entries.find(key);
        if (it == this->entries.end()) {
            return false;
        }
        T* object = it->second;
        this->entries.erase(it);
        if (!object || object == this->notFoundValue) {
            return false;
        }
        delete object;
        return true;
    }

    // A new iterator over (name, object) pairs on the first entry; the caller deletes it.
    virtual NamePtrStoreIterator<T>* getPairIterator() const {
        return new NamePtrStoreIterator<T>(*this);
    }

    const std::string& getName() const { return name; }

private:
    std::string name;
};

// Walks a NamePtrStore in name order, yielding (name, object) pairs; a finished
// iterator yields (empty name, not-found pointer).
template <class T>
class NamePtrStoreIterator
    : public StoreEntryIterator<NamePtrStore<T>, std::pair<std::string, T*>> {
public:
    explicit NamePtrStoreIterator(const NamePtrStore<T>& walked)
        : StoreEntryIterator<NamePtrStore<T>, std::pair<std::string, T*>>(walked) {}

    std::pair<std::string, T*> currentItem() const override {
        if (this->isDone()) {
            return {std::string(), this->store->getNotFoundValue()};
        }
        return {this->position->first, this->position->second};
    }
    ~NamePtrStoreIterator() override = default;
};

}  // namespace Util
