#pragma once

#include "Util/I_HashTableObject.h"

namespace Util {

// A value stored in a hash table: it hashes to itself, and it equals another item
// holding the same value. isEqual expects the other object to be a HashedItem<T>.
template <class T>
class HashedItem : public I_HashTableObject {
public:
    explicit HashedItem(const T& itemValue) : value(itemValue) {}

    unsigned long hash() const override { return static_cast<unsigned long>(value); }
    bool isEqual(I_HashTableObject const* other) const override {
        return static_cast<HashedItem<T> const*>(other)->value == value;
    }

    T value;
};

}  // namespace Util
