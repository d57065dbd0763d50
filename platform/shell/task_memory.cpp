#include "platform/shell/task_memory.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/shell/shell32.h"

namespace platform::shell {
namespace {

struct Blocks {
  std::mutex lock;
  std::unordered_map<const void*, std::function<void(void*)>> live;
};

Blocks& TheBlocks() {
  static Blocks* blocks = new Blocks;
  return *blocks;
}

}  // namespace

std::size_t LiveTaskMemoryBlocks() {
  std::lock_guard guard(TheBlocks().lock);
  return TheBlocks().live.size();
}

void* TaskMemoryAdopt(void* block, std::function<void(void*)> release) {
  if (!block) return nullptr;
  std::lock_guard guard(TheBlocks().lock);
  TheBlocks().live[block] = std::move(release);
  return block;
}

bool IsLiveTaskMemory(const void* block) {
  std::lock_guard guard(TheBlocks().lock);
  return TheBlocks().live.count(block) != 0;
}

}  // namespace platform::shell

void* CoTaskMemAlloc(std::size_t bytes) {
  return platform::shell::TaskMemoryAdopt(std::malloc(bytes ? bytes : 1), [](void* p) { std::free(p); });
}

void CoTaskMemFree(void* block) {
  if (!block) return;
  std::function<void(void*)> release;
  {
    auto& blocks = platform::shell::TheBlocks();
    std::lock_guard guard(blocks.lock);
    auto it = blocks.live.find(block);
    if (it == blocks.live.end()) return;
    release = std::move(it->second);
    blocks.live.erase(it);
  }
  release(block);
}
