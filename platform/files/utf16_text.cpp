#include "platform/files/utf16_text.h"

namespace platform::files {
namespace {

// 0x80..0x9F of Windows-1252.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char16_t Cp1252ToUnit(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
}

char UnitToCp1252(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == unit) return static_cast<char>(0x80 + i);
  return '?';
}

std::string Cp1252ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    char16_t unit = Cp1252ToUnit(c);
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

}  // namespace platform::files
