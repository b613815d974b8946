#pragma once

#include <cstdint>

#include "game/I_Random.h"

namespace RNG {

// A small integer-hash generator with one 32-bit word of state. Each draw hashes the
// state into a 31-bit value v, returns v / (2^31 - 1) and advances the state by 2v
// (by 2^32 - 1 when v is 2^31 - 1), all modulo 2^32.
class RandSimple : public I_Random {
public:
    explicit RandSimple(unsigned int seed = 0);

    void initialise(unsigned int seed) override;
    // Takes seeds[0]; count is not looked at.
    void initialise(unsigned int* seeds, int count) override;
    float getFloat() override;

    std::uint32_t getState() const { return state; }

    // The 31-bit hash of a state, the value a draw from that state is made of.
    static std::uint32_t hash(std::uint32_t state);
    // The state after a draw that produced v.
    static std::uint32_t advance(std::uint32_t state, std::uint32_t v);

private:
    std::uint32_t state;
};

}  // namespace RNG
