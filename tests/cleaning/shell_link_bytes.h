#pragma once
// The bytes of small shell links for the dead-shortcut tests.
#include <cstdint>
#include <string>

namespace tessaly::testing {

// A minimal shell link naming `target` through its link information;
// without a target, a link with no link information.
inline std::string ShellLink(const std::string& target) {
  std::string link(0x4C, '\0');
  link[0] = 0x4C;
  const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  for (int i = 0; i < 16; ++i) link[4 + i] = static_cast<char>(clsid[i]);
  if (target.empty()) return link;
  link[0x14] = 0x02;  // has link information
  auto u32 = [](std::uint32_t v) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
  };
  const std::uint32_t headerSize = 28, baseOffset = headerSize, suffixOffset = baseOffset + target.size() + 1;
  const std::uint32_t size = suffixOffset + 1;
  link += u32(size) + u32(headerSize) + u32(1) + u32(0) + u32(baseOffset) + u32(0) + u32(suffixOffset);
  link += target + std::string(1, '\0') + std::string(1, '\0');
  return link;
}

}  // namespace tessaly::testing
