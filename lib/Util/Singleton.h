#pragma once

#include "Util/NonCopyable.h"

namespace Util {

// The one process-wide T, created on the first call of instance() and destroyed at
// process exit in reverse order of creation. T befriends Singleton<T> when its
// constructor is not public.
template <class T>
class Singleton : public NonCopyable<T> {
public:
    static T& instance() {
        static T l_instance;
        return l_instance;
    }

protected:
    Singleton() = default;
    ~Singleton() = default;
};

}  // namespace Util
