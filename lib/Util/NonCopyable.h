#pragma once

namespace Util {

// Base for classes that are never copied: copy construction and copy assignment of
// the derived class are not available. No data, no virtual operations.
template <class T>
class NonCopyable {
public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

}  // namespace Util
