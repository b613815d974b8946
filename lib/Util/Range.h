#pragma once

namespace Util {

// Two values read from a range text, in the order they were written; nothing orders
// them, so first may be larger than second.
template <class T>
struct Range {
    T first{};
    T second{};

    Range() = default;
    Range(T firstValue, T secondValue) : first(firstValue), second(secondValue) {}

    bool operator==(const Range& other) const {
        return first == other.first && second == other.second;
    }
    bool operator!=(const Range& other) const { return !(*this == other); }
};

}  // namespace Util
