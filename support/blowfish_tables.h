#pragma once
#include <array>
#include <cstdint>

namespace blowfish {
// Published initial values of the cipher, from the hexadecimal digits of pi.
extern const std::array<std::uint32_t, 18> kInitialP;
extern const std::array<std::uint32_t, 1024> kPublishedSWords;
}  // namespace blowfish
