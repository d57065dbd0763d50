#pragma once
// The cipher's rounds over its tables, inline so that a pass over a large
// array runs them without a call per block.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace blowfish {

using PArray = std::array<std::uint32_t, 18>;
using Boxes = std::array<std::array<std::uint32_t, 256>, 4>;

inline std::uint32_t RoundF(const Boxes& s, std::uint32_t x) {
  return ((s[0][x >> 24] + s[1][(x >> 16) & 0xFF]) ^ s[2][(x >> 8) & 0xFF]) + s[3][x & 0xFF];
}

inline void Encipher(const PArray& p, const Boxes& s, std::uint32_t& L, std::uint32_t& R) {
  std::uint32_t l = L, r = R;
#pragma GCC unroll 8
  for (int i = 0; i < 16; i += 2) {
    l ^= p[i];
    r ^= RoundF(s, l) ^ p[i + 1];
    l ^= RoundF(s, r);
  }
  L = r ^ p[17];
  R = l ^ p[16];
}

inline void Decipher(const PArray& p, const Boxes& s, std::uint32_t& L, std::uint32_t& R) {
  std::uint32_t l = R ^ p[16], r = L ^ p[17];
#pragma GCC unroll 8
  for (int j = 14; j >= 0; j -= 2) {
    l ^= RoundF(s, r);
    r ^= RoundF(s, l) ^ p[j + 1];
    l ^= p[j];
  }
  L = l;
  R = r;
}

// The cipher's words are stored most significant byte first.
inline std::uint32_t LoadWord(const std::uint8_t* at) {
  std::uint32_t word;
  std::memcpy(&word, at, 4);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap32(word);
  return word;
}

inline void StoreWord(std::uint32_t word, std::uint8_t* at) {
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap32(word);
  std::memcpy(at, &word, 4);
}

}  // namespace blowfish
