#pragma once

namespace RNG {

// A source of uniformly distributed values in 0 ... 1.
class I_Random {
public:
    virtual ~I_Random() = default;
    // Sets the generator's state from one seed.
    virtual void initialise(unsigned int seed) = 0;
    // Sets the state from a list of seeds; implementations may use only some of them.
    virtual void initialise(unsigned int* seeds, int count) = 0;
    // The next value, 0 and 1 both possible.
    virtual float getFloat() = 0;
};

}  // namespace RNG
