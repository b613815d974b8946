#pragma once

#include <map>

#include "Util/I_Iterator.h"

namespace Util {

template <class K, class V>
class BasicStoreIterator;

// An ordered map from K to V with a not-found value returned by lookups and removals
// of absent keys. It owns its entries but not what pointer values point to.
template <class K, class V>
class BasicStore {
public:
    using Map = std::map<K, V>;

    explicit BasicStore(const V& notFound) : notFoundValue(notFound) {}
    virtual ~BasicStore() = default;

    // The value stored under key, or the not-found value.
    virtual V find(const K& key) const {
        auto it = entries.find(key);
        return it == entries.end() ? notFoundValue : it->second;
    }

    // Stores value under key, replacing any value already there; returns value.
    virtual V add(const K& key, V value) {
        entries[key] = value;
        return value;
    }

    // Removes the entry and returns its value, or the not-found value when absent.
    virtual V remove(const K& key) {
        auto it = entries.find(key);
        if (it == entries.end()) {
            return notFoundValue;
        }
        V value = it->second;
        entries.erase(it);
        return value;
    }

    virtual void clear() { entries.clear(); }

    // A new iterator positioned on the first entry; the caller deletes it.
    virtual BasicStoreIterator<K, V>* getIterator() const {
        return new BasicStoreIterator<K, V>(*this);
    }

    const V& getNotFoundValue() const { return notFoundValue; }
    const Map& getEntries() const { return entries; }

protected:
    Map entries;
    V notFoundValue;
};

// Walks the entries of a store (anything with getEntries()) in key order; a derived
// iterator says what the current item is. Valid while the store lives and the current
// entry is not removed.
template <class Store, class Item>
class StoreEntryIterator : public I_Iterator<Item> {
public:
    explicit StoreEntryIterator(const Store& walked)
        : store(&walked), position(walked.getEntries().begin()) {}

    void first() override { position = store->getEntries().begin(); }
    void next() override {
        if (!isDone()) {
            ++position;
        }
    }
    bool isDone() const override { return position == store->getEntries().end(); }

protected:
    const Store* store;  // not owned
    typename Store::Map::const_iterator position;
};

// Walks a BasicStore in key order, yielding its values.
template <class K, class V>
class BasicStoreIterator : public StoreEntryIterator<BasicStore<K, V>, V> {
public:
    explicit BasicStoreIterator(const BasicStore<K, V>& walked)
        : StoreEntryIterator<BasicStore<K, V>, V>(walked) {}

    // The current value, or the store's not-found value when done.
    V currentItem() const override {
        return this->isDone() ? this->store->getNotFoundValue() : this->position->second;
    }
    ~BasicStoreIterator() override = default;

    // Only valid while not done.
    virtual const K& currentKey() const { return this->position->first; }
    virtual const V& curItemNoCheck() const { return this->position->second; }
};

}  // namespace Util
