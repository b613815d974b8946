#include "game/RandSimple.h"

namespace RNG {

namespace {

constexpr std::uint32_t kMaxValue = 2147483647u;  // 2^31 - 1, the largest hash value
constexpr std::uint32_t kFullStep = 4294967295u;  // 2^32 - 1, the advance for kMaxValue

}  // namespace

RandSimple::RandSimple(unsigned int seed) : state(seed) {}

void RandSimple::initialise(unsigned int seed) {
    state = seed;
}

void RandSimple::initialise(unsigned int* seeds, int /*count*/) {
    initialise(seeds[0]);
}

std::uint32_t RandSimple::hash(std::uint32_t s) {
    const std::uint32_t a = s ^ (s << 13);
    return ((a * a * 15731u + 789221u) * a + 1376312589u) & kMaxValue;
}

// The advance is the integer part of f * (2^32 - 1) with f = v / (2^31 - 1), taken
// exactly: 2v for every v below 2^31 - 1. A double-precision product can come out one
// too high for large v, so it is never used here.
std::uint32_t RandSimple::advance(std::uint32_t s, std::uint32_t v) {
    return s + (v == kMaxValue ? kFullStep : 2u * v);
}

float RandSimple::getFloat() {
    const std::uint32_t v = hash(state);
    state = advance(state, v);
    return static_cast<float>(static_cast<double>(v) / static_cast<double>(kMaxValue));
}

}  // namespace RNG
