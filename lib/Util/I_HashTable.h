#pragma once

namespace Util {

// A table of T items found by their hash and equality (I_HashTableObject). The table
// owns its items only as far as clearAndDestroy deletes them.
template <class T>
class I_HashTable {
public:
    virtual ~I_HashTable() = default;

    virtual unsigned entries() const = 0;
    // Empties the table; the items stay alive.
    virtual void clear() = 0;
    // Empties the table and deletes every item.
    virtual void clearAndDestroy() = 0;
    // The first stored item equal to key, or null.
    virtual T* find(T const* key) const = 0;
    // Stores item (duplicates are stored again) and returns it.
    virtual T* insert(T* item) = 0;
    // Unlinks the first stored item equal to key and returns it, now owned by the
    // caller; null when none is stored.
    virtual T* remove(T* key) = 0;
};

}  // namespace Util
