#pragma once

#include <cmath>

namespace MathStuff {

// Three components x, y, z; a default vector is (0, 0, 0).
template <class T>
struct Vector3 {
    T x{};
    T y{};
    T z{};

    Vector3() = default;
    Vector3(T xValue, T yValue, T zValue) : x(xValue), y(yValue), z(zValue) {}

    bool operator==(const Vector3& other) const {
        return x == other.x && y == other.y && z == other.z;
    }
    bool operator!=(const Vector3& other) const { return !(*this == other); }

    Vector3 operator+(const Vector3& other) const {
        return Vector3(x + other.x, y + other.y, z + other.z);
    }
    Vector3 operator-(const Vector3& other) const {
        return Vector3(x - other.x, y - other.y, z - other.z);
    }
    Vector3 operator*(T factor) const { return Vector3(x * factor, y * factor, z * factor); }

    T dot(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }
    Vector3 cross(const Vector3& other) const {
        return Vector3(y * other.z - z * other.y, z * other.x - x * other.z,
                       x * other.y - y * other.x);
    }
    T length() const { return static_cast<T>(std::sqrt(dot(*this))); }
};

}  // namespace MathStuff
