#include "platform/com/com_memory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <unordered_map>

#include "platform/base/cp1252.h"


namespace {

std::atomic<long> liveBstrs{0};

// Every live task-memory block with the way to release it, so a block the
// layer made differently (an item-id list) is freed its own way and an
// unknown pointer is ignored instead of corrupting the heap.
struct TaskBlocks {
  std::mutex lock;
  std::unordered_map<const void*, std::function<void(void*)>> live;
};

TaskBlocks& Blocks() {
  static TaskBlocks* blocks = new TaskBlocks;
  return *blocks;
}

}  // namespace

void* CoTaskMemAlloc(std::size_t size) {
  return platform::com::AdoptTaskMemory(std::malloc(size ? size : 1), [](void* p) { std::free(p); });
}

void CoTaskMemFree(void* block) {
  if (!block) return;
  std::function<void(void*)> release;
  {
    std::lock_guard guard(Blocks().lock);
    auto it = Blocks().live.find(block);
    if (it == Blocks().live.end()) return;
    release = std::move(it->second);
    Blocks().live.erase(it);
  }
  release(block);
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

long LiveTaskMemBlocks() {
  std::lock_guard guard(Blocks().lock);
  return static_cast<long>(Blocks().live.size());
}

void* AdoptTaskMemory(void* block, std::function<void(void*)> release) {
  if (!block) return nullptr;
  std::lock_guard guard(Blocks().lock);
  Blocks().live[block] = std::move(release);
  return block;
}

bool IsLiveTaskMemory(const void* block) {
  std::lock_guard guard(Blocks().lock);
  return Blocks().live.count(block) != 0;
}
long LiveBstrs() { return liveBstrs.load(); }

std::u16string WideFromAnsi(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (unsigned char c : text) out += static_cast<char16_t>(Cp1252CodePoint(c));
  return out;
}

std::string AnsiFromWide(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t w : text) out += static_cast<char>(Cp1252Byte(w).value_or('?'));
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
