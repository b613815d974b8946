#pragma once

#include "Util/NonCopyable.h"

namespace Util {

template <class T>
class BasicHashLinkPool;

// One link of a hash chain. Links are never allocated one by one: they come from the
// shared pool of all tables of the same T, BasicHashLink<T>::instance().
template <class T>
class BasicHashLink {
public:
    T* item = nullptr;              // not owned; null while the link is free
    BasicHashLink* next = nullptr;  // next link of the chain or of the free list

    // The process-wide pool of links for T, created on first use.
    static BasicHashLinkPool<T>& instance() {
        static BasicHashLinkPool<T> l_instance;
        return l_instance;
    }
};

// The shared pool: blocks of links that stay allocated until the pool is destroyed at
// process exit, and the list of free links chained through their next pointers.
// Taking and giving back a link costs no heap traffic once the pool holds enough.
template <class T>
class BasicHashLinkPool : public NonCopyable<BasicHashLinkPool<T>> {
public:
    using Link = BasicHashLink<T>;

    BasicHashLinkPool() = default;
    ~BasicHashLinkPool() {
        while (blocks != nullptr) {
            Block* block = blocks;
            blocks = block->next;
            delete[] block->links;
            delete block;
        }
    }

    // A free link with a null item and next, from a new block when none is free.
    Link* take() {
        if (freeLinks == nullptr) {
            initFreeLinksBlock();
        }
        Link* link = freeLinks;
        freeLinks = link->next;
        link->next = nullptr;
        return link;
    }

    // Returns a link to the front of the free list.
    void give(Link* link) {
        link->item = nullptr;
        link->next = freeLinks;
        freeLinks = link;
    }

    // Allocates one block of linksPerBlock cleared links, records it and chains its
    // links in array order into the (empty) free list.
    void initFreeLinksBlock() {
        Link* links = new Link[linksPerBlock];
        blocks = new Block{links, blocks};
        for (int i = 0; i < linksPerBlock; ++i) {
            links[i].item = nullptr;
            links[i].next = (i + 1 < linksPerBlock) ? &links[i + 1] : nullptr;
        }
        freeLinks = links;
    }

    // How many blocks have been allocated so far (diagnostics and tests).
    int blockCount() const {
        int count = 0;
        for (const Block* block = blocks; block != nullptr; block = block->next) {
            ++count;
        }
        return count;
    }

private:
    static constexpr int kLinksPerBlock = 1;

    struct Block {
        Link* links;  // owned array of linksPerBlock links
        Block* next;
    };

    Block* blocks = nullptr;    // owned, newest first
    Link* freeLinks = nullptr;  // links inside the blocks
    int linksPerBlock = kLinksPerBlock;
};

}  // namespace Util
