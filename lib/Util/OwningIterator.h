#pragma once

#include <memory>

#include "Util/I_Iterator.h"

namespace Util {

// Walks through another iterator, which it owns and deletes with itself. The stores hand
// one out so that callers see a single iterator type whatever walks underneath.
template <class T>
class OwningIterator : public I_Iterator<T> {
public:
    explicit OwningIterator(I_Iterator<T>* walker) : walker(walker) {}  // takes walker

    void first() override { walker->first(); }
    void next() override { walker->next(); }
    bool isDone() const override { return walker->isDone(); }
    T currentItem() const override { return walker->currentItem(); }

private:
    std::unique_ptr<I_Iterator<T>> walker;
};

}  // namespace Util
