#pragma once
// Writing to a host descriptor, for the layer's own files.
#include <cstddef>

namespace platform {

// Writes all of `data`, retrying short and interrupted writes; false with
// errno set on failure.
bool WriteAllToHost(int fd, const char* data, std::size_t size);

}  // namespace platform
