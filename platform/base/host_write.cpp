#include "platform/base/host_write.h"

#include <unistd.h>

#include <cerrno>

namespace platform {

bool WriteAllToHost(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace platform
