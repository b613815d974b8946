#pragma once

#include <map>

namespace Util {

// A one-to-one mapping usable in both directions. add() never removes the entries of
// an earlier pair that used either value, so a later pair wins only in its own
// direction of lookup.
template <class A, class B>
class TwoWayMapping {
public:
    TwoWayMapping(const A& invalidAValue, const B& invalidBValue)
        : invalidA(invalidAValue), invalidB(invalidBValue) {}

    void add(const A& a, const B& b) {
        reverse[b] = a;
        forward[a] = b;
    }

    // The B mapped to a, or the invalid B.
    const B& lookup(const A& a) const {
        auto it = forward.find(a);
        return it == forward.end() ? invalidB : it->second;
    }

    // The A mapped to b, or the invalid A.
    const A& reverseLookup(const B& b) const {
        auto it = reverse.find(b);
        return it == reverse.end() ? invalidA : it->second;
    }

    std::map<A, B> forward;
    std::map<B, A> reverse;
    A invalidA;
    B invalidB;
};

}  // namespace Util
