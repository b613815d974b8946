#pragma once

namespace Util {

// Anything stored in the hash tables: a hash value choosing the bucket, and equality
// deciding which item of a chain a key denotes.
class I_HashTableObject {
public:
    virtual unsigned long hash() const = 0;
    virtual bool isEqual(I_HashTableObject const* other) const = 0;
    virtual ~I_HashTableObject() = default;
};

}  // namespace Util
