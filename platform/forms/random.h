#pragma once
// Rnd: the runtime's 24-bit generator; tests inject the seed.
#include <cstdint>

namespace platform::forms {

// The next number in [0, 1).
float Rnd();
// Seeds from the clock (the seconds since midnight, as Timer).
void Randomize();
// Sets the generator's state (24 bits).
void SetRandomSeed(std::uint32_t seed);

}  // namespace platform::forms
