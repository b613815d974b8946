#pragma once

#include <cstddef>

namespace MathStuff {

// Sixteen numbers in OpenGL's column-major order: element (row, column) is
// m[column * 4 + row], so m[12], m[13], m[14] hold the translation. A new
// matrix is the identity.
template <typename T>
struct Matrix4x4 {
    static constexpr std::size_t kSize = 16;

    T m[kSize] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    T& at(int row, int column) { return m[column * 4 + row]; }
    const T& at(int row, int column) const { return m[column * 4 + row]; }

    T* data() { return m; }
    const T* data() const { return m; }
};

}  // namespace MathStuff
