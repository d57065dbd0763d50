#include "platform/base/cp1252.h"

#include <array>
#include <cstdint>

namespace platform {
namespace {

// Code points of 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr std::array<unsigned char, 256> MakeUpperTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 32);
  for (int c = 0xE0; c <= 0xFE; ++c)
    if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 32);
  table[0x9A] = 0x8A;  // š -> Š
  table[0x9C] = 0x8C;  // œ -> Œ
  table[0x9E] = 0x8E;  // ž -> Ž
  table[0xFF] = 0x9F;  // ÿ -> Ÿ
  return table;
}

constexpr auto kUpper = MakeUpperTable();


void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i] and advances i; nullopt (i unchanged)
// on malformed input.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
  auto lead = static_cast<unsigned char>(text[i]);
  int extra = lead < 0x80              ? 0
              : (lead & 0xE0) == 0xC0 ? 1
              : (lead & 0xF0) == 0xE0 ? 2
              : (lead & 0xF8) == 0xF0 ? 3
                                      : -1;
  if (extra < 0 || text.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
  char32_t cp = extra == 0 ? lead : (lead & (0x7F >> (extra + 1)));
  for (int k = 1; k <= extra; ++k) {
    auto cont = static_cast<unsigned char>(text[i + k]);
    if ((cont & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (cont & 0x3F);
  }
  i += extra + 1;
  return cp;
}

template <typename OnMissing>
std::optional<std::string> FromUtf8(std::string_view text, OnMissing onMissing) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    auto cp = DecodeUtf8(text, i);
    std::optional<unsigned char> byte = cp ? Cp1252Byte(*cp) : std::nullopt;
    if (!byte) {
      if (!onMissing(out)) return std::nullopt;
      if (!cp) ++i;  // skip the malformed byte
      continue;
    }
    out += static_cast<char>(*byte);
  }
  return out;
}

}  // namespace

// The five unassigned bytes stand for the control characters of the same
// number, as Windows' own conversion has them, so every byte round-trips.
char32_t Cp1252CodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80]) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<unsigned char> Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  if (cp <= 0x9F && !kHighControls[cp - 0x80]) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

char UpperChar(char c) { return static_cast<char>(kUpper[static_cast<unsigned char>(c)]); }

std::string ToUpper(std::string_view text) {
  std::string out(text);
  UpperInPlace(out);
  return out;
}

void UpperInPlace(std::string& text) {
  for (char& c : text) c = UpperChar(c);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(UpperChar(a[i]));
    auto y = static_cast<unsigned char>(UpperChar(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
  return FromUtf8(text, [](std::string&) { return false; });
}

std::string Utf8ToCp1252Lossy(std::string_view text) {
  return *FromUtf8(text, [](std::string& out) {
    out += '?';
    return true;
  });
}

}  // namespace platform
