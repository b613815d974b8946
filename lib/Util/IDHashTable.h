#pragma once

#include "Util/BasicHashTable.h"
#include "Util/HashedItem.h"

namespace Util {

// The table of live identities: HashedItem<T> values in 1009 buckets. instance() is
// the process-wide table, created on first use and destroyed at process exit.
template <class T>
class IDHashTable : public BasicHashTable<HashedItem<T>> {
public:
    static constexpr unsigned kIdBuckets = 1009;

    IDHashTable() : BasicHashTable<HashedItem<T>>(kIdBuckets) {}

    static IDHashTable& instance() {
        static IDHashTable l_instance;
        return l_instance;
    }
};

}  // namespace Util
