#include "platform/com/guid.h"

namespace platform::com {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits at `pos`; false on any other character.
bool ReadHex(std::string_view text, std::size_t pos, int digits, std::uint64_t& value) {
  value = 0;
  for (int i = 0; i < digits; ++i) {
    int d = HexDigit(text[pos + i]);
    if (d < 0) return false;
    value = (value << 4) | static_cast<unsigned>(d);
  }
  return true;
}

}  // namespace

std::optional<GUID> ParseGuid(std::string_view text) {
  // {8-4-4-4-12}
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  for (std::size_t dash : {9u, 14u, 19u, 24u})
    if (text[dash] != '-') return std::nullopt;
  std::uint64_t d1, d2, d3, d4a, d4b;
  if (!ReadHex(text, 1, 8, d1) || !ReadHex(text, 10, 4, d2) || !ReadHex(text, 15, 4, d3) ||
      !ReadHex(text, 20, 4, d4a) || !ReadHex(text, 25, 12, d4b))
    return std::nullopt;
  return MakeGuid(static_cast<std::uint32_t>(d1), static_cast<std::uint16_t>(d2), static_cast<std::uint16_t>(d3),
                  (d4a << 48) | d4b);
}

}  // namespace platform::com
