#include "platform/com/com_memory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>


namespace {

std::atomic<long> liveTaskMem{0};
std::atomic<long> liveBstrs{0};

// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr char16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

void* CoTaskMemAlloc(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (block) ++liveTaskMem;
  return block;
}

void CoTaskMemFree(void* block) {
  if (!block) return;
  --liveTaskMem;
  std::free(block);
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  auto* raw = static_cast<std::uint8_t*>(std::malloc(sizeof(std::uint32_t) + (length + 1) * sizeof(OLECHAR)));
  if (!raw) return nullptr;
  std::uint32_t bytes = length * sizeof(OLECHAR);
  std::memcpy(raw, &bytes, sizeof bytes);
  auto* chars = reinterpret_cast<OLECHAR*>(raw + sizeof(std::uint32_t));
  if (text) std::memcpy(chars, text, length * sizeof(OLECHAR));
  else std::memset(chars, 0, length * sizeof(OLECHAR));
  chars[length] = 0;
  ++liveBstrs;
  return chars;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(lstrlenW(text)));
}

void SysFreeString(BSTR text) {
  if (!text) return;
  --liveBstrs;
  std::free(reinterpret_cast<std::uint8_t*>(text) - sizeof(std::uint32_t));
}

UINT SysStringLen(BSTR text) {
  if (!text) return 0;
  std::uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<std::uint8_t*>(text) - sizeof(std::uint32_t), sizeof bytes);
  return bytes / sizeof(OLECHAR);
}

int lstrlenW(LPCWSTR text) {
  if (!text) return 0;
  int n = 0;
  while (text[n]) ++n;
  return n;
}

void RtlMoveMemory(void* destination, const void* source, std::size_t length) {
  if (length) std::memmove(destination, source, length);
}

namespace platform::com {

long LiveTaskMemBlocks() { return liveTaskMem.load(); }
long LiveBstrs() { return liveBstrs.load(); }

std::u16string WideFromAnsi(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    char16_t w = c;
    if (c >= 0x80 && c <= 0x9F) w = kHighControls[c - 0x80] ? kHighControls[c - 0x80] : c;
    out += w;
  }
  return out;
}

std::string AnsiFromWide(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t w : text) {
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) {
      out += static_cast<char>(w);
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i)
      if (kHighControls[i] == w) mapped = static_cast<char>(0x80 + i);
    if (w >= 0x80 && w <= 0x9F && kHighControls[w - 0x80] == 0) mapped = static_cast<char>(w);
    out += mapped;
  }
  return out;
}

std::u16string WideOf(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

LPWSTR TaskMemString(std::u16string_view text) {
  auto* block = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR)));
  if (!block) return nullptr;
  std::memcpy(block, text.data(), text.size() * sizeof(OLECHAR));
  block[text.size()] = 0;
  return block;
}

BSTR AllocBstr(std::u16string_view text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }
BSTR AllocBstrFromAnsi(std::string_view text) { return AllocBstr(WideFromAnsi(text)); }

}  // namespace platform::com
