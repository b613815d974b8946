#pragma once

namespace Util {

// The abstract iterator: first(), then while !isDone() use currentItem() and next().
template <class T>
class I_Iterator {
public:
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool isDone() const = 0;
    virtual T currentItem() const = 0;
    virtual ~I_Iterator() = default;
};

}  // namespace Util
