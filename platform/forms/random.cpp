#include "platform/forms/random.h"

#include "platform/forms/event_loop.h"

namespace platform::forms {
namespace {
// The runtime's own start value.
std::uint32_t seed = 0x50000;
}  // namespace

float Rnd() {
  seed = static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * 1140671485ULL + 12820163ULL) & 0xFFFFFF);
  return static_cast<float>(seed) / 16777216.0f;
}

void Randomize() { SetRandomSeed(static_cast<std::uint32_t>(RuntimeTickMs() % 86400000ULL)); }

void SetRandomSeed(std::uint32_t value) { seed = value & 0xFFFFFF; }

}  // namespace platform::forms
