#pragma once

#include "Util/BasicHashLink.h"
#include "Util/I_HashTable.h"

namespace Util {

// A hash table with separate chaining. Each bucket is a link used as the head of its
// chain (its item stays null); the newest item of a chain comes first. Links come from
// the shared pool of BasicHashLink<T>, so inserting and removing cost no heap traffic
// once the pool holds enough links.
template <class T>
class BasicHashTable : public I_HashTable<T> {
public:
    using Link = BasicHashLink<T>;

    explicit BasicHashTable(unsigned tableBuckets)
        : bucketCount(tableBuckets), buckets(new Link[tableBuckets]) {
        // The pool must outlive every table that gives links back to it, also for
        // tables that are function-local statics: touching it here builds it first.
        Link::instance();
    }

    // Gives every link back to the pool; the items are left alone.
    ~BasicHashTable() override {
        emptyChains(false);
        delete[] buckets;
    }

    BasicHashTable(const BasicHashTable&) = delete;
    BasicHashTable& operator=(const BasicHashTable&) = delete;

    unsigned entries() const override { return entryCount; }
    void clear() override { clearTable(false); }
    void clearAndDestroy() override { clearTable(true); }

    T* find(T const* key) const override {
        for (Link* link = chainHead(key)->next; link != nullptr; link = link->next) {
            if (key->isEqual(link->item)) {
                return link->item;
            }
        }
        return nullptr;
    }

    T* insert(T* item) override {
        Link* link = Link::instance().take();
        link->item = item;
        ++entryCount;
        Link* head = chainHead(item);
        link->next = head->next;
        head->next = link;
        return item;
    }

    T* remove(T* key) override {
        for (Link* previous = chainHead(key); previous->next != nullptr;
             previous = previous->next) {
            Link* link = previous->next;
            if (key->isEqual(link->item)) {
                T* item = link->item;
                previous->next = link->next;
                Link::instance().give(link);
                --entryCount;
                return item;
            }
        }
        return nullptr;
    }

    virtual unsigned itemBucket(T const* item) const {
        return static_cast<unsigned>(item->hash() % bucketCount);
    }

    virtual Link* chainHead(T const* item) const { return &buckets[itemBucket(item)]; }

    // Empties every bucket in index order, deleting the items when destroy is true.
    virtual void clearTable(bool destroy) { emptyChains(destroy); }

private:
    void emptyChains(bool destroy) {
        for (unsigned b = 0; b < bucketCount; ++b) {
            Link* link = buckets[b].next;
            buckets[b].next = nullptr;
            while (link != nullptr) {
                Link* following = link->next;
                if (destroy) {
                    delete link->item;
                }
                Link::instance().give(link);
                --entryCount;
                link = following;
            }
        }
    }

    const unsigned bucketCount;
    Link* buckets;  // owned array of bucketCount chain heads
    unsigned entryCount = 0;
};

}  // namespace Util
