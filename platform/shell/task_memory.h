#pragma once
// The live blocks of the counted task allocator, for leak checks in tests.
#include <cstddef>
#include <functional>

namespace platform::shell {

std::size_t LiveTaskMemoryBlocks();
// Allocates a block that CoTaskMemFree releases by running `release`.
void* TaskMemoryAdopt(void* block, std::function<void(void*)> release);
// Whether `block` is live.
bool IsLiveTaskMemory(const void* block);

}  // namespace platform::shell
