#pragma once

#include "Util/HashedItem.h"
#include "Util/IDHashTable.h"
#include "Util/UniqueID.h"

namespace Util {

// A unique identity that is registered, while the object lives, in the process-wide
// IDHashTable<T>: the table holds exactly the IDs of the live objects.
template <class T>
class HashedID : public UniqueID<T> {
public:
    HashedID() { enter(); }
    HashedID(const HashedID&) : UniqueID<T>() { enter(); }
    HashedID& operator=(const HashedID&) { return *this; }

    virtual ~HashedID() {
        HashedItem<T> key(this->id);
        delete IDHashTable<T>::instance().remove(&key);
    }

private:
    void enter() { IDHashTable<T>::instance().insert(new HashedItem<T>(this->id)); }
};

}  // namespace Util
