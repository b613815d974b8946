#pragma once

// Replaces the global operator new and delete of the test program, so that a test can
// make one chosen allocation fail. Include this header in exactly one source file of a
// test program (a second one does not link). Memory comes from malloc and goes back
// to free, which the sanitizers see as a matching pair.

#include <cstddef>
#include <cstdlib>
#include <new>

namespace TestSupport {

// Allocations left before the one that fails; 0 when none is to fail.
inline size_t g_allocationsBeforeFailure = 0;

// The nth allocation from now (1: the very next one) throws std::bad_alloc, once; later
// allocations succeed again.
inline void failAllocation(size_t nth) {
    g_allocationsBeforeFailure = nth;
}

inline void* allocateOrFail(size_t size) {
    if (g_allocationsBeforeFailure > 0 && --g_allocationsBeforeFailure == 0) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}

inline void* allocateOrNull(size_t size) noexcept {
    try {
        return allocateOrFail(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace TestSupport

void* operator new(size_t size) {
    return TestSupport::allocateOrFail(size);
}
void* operator new[](size_t size) {
    return TestSupport::allocateOrFail(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return TestSupport::allocateOrNull(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return TestSupport::allocateOrNull(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
