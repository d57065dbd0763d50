#pragma once
// Class, interface and library identities.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool operator==(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

namespace platform::com {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required, hex in any case).
std::optional<GUID> ParseGuid(std::string_view text);
// The braced registry form, upper-case hex. Inline: in-process servers use
// it without importing it.
inline std::string FormatGuid(const GUID& g) {
  static const char* digits = "0123456789ABCDEF";
  std::string out = "{";
  auto hex = [&](std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) out += digits[(value >> (4 * i)) & 15];
  };
  hex(g.Data1, 8);
  out += '-';
  hex(g.Data2, 4);
  out += '-';
  hex(g.Data3, 4);
  out += '-';
  for (int i = 0; i < 8; ++i) {
    if (i == 2) out += '-';
    hex(g.Data4[i], 2);
  }
  return out + "}";
}


// A GUID from a literal known to be well formed (compile-time tables).
constexpr GUID MakeGuid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::uint64_t d4) {
  GUID g{d1, d2, d3, {}};
  for (int i = 0; i < 8; ++i) g.Data4[i] = static_cast<std::uint8_t>(d4 >> (8 * (7 - i)));
  return g;
}

}  // namespace platform::com
